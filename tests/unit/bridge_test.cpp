// The host call bridge in a program that exports "MdCallBack12".
#include <gtest/gtest.h>

#include <vector>

#include "host/bridge.h"
#include "host/scratch.h"
#include "tools/hostsim/host.h"
#include "worksheet/lifecycle.h"

namespace {

using namespace host;

int handedInCalls = 0;
int TORVEN_CALL HandedIn(int, int, XLOPER12**, XLOPER12*) {
  ++handedInCalls;
  return 99;
}

class Bridge : public ::testing::Test {
 protected:
  void SetUp() override { hostsim::Reset(); }
  void TearDown() override { hostsim::State().answerCode = -1; }
};

TEST_F(Bridge, TheExportTakesPrecedenceOverAHandedInPointer) {
  SetExcel12EntryPt(&HandedIn);
  EXPECT_EQ(HostCall(1, nullptr, 0), xl::kRetInvXlfn);  // the substitute answers
  EXPECT_EQ(handedInCalls, 0);
  EXPECT_EQ(hostsim::State().requests.size(), 1u);
}

TEST_F(Bridge, ArgumentCounts) {
  std::vector<XLOPER12> records(300);
  std::vector<XLOPER12*> pointers;
  for (auto& r : records) pointers.push_back(&r);
  XLOPER12 result{};
  result.xltype = xl::kNil;
  EXPECT_EQ(HostCall(1, &result, 256), xl::kRetInvCount);
  EXPECT_EQ(HostCall(1, &result, -1), xl::kRetInvCount);
  EXPECT_EQ(result.xltype, xl::kNil);  // untouched
  EXPECT_TRUE(hostsim::State().requests.empty());
  EXPECT_EQ(HostCall(1, nullptr, 0), xl::kRetInvXlfn);
  EXPECT_EQ(HostCall(1, nullptr, 3, pointers[0], pointers[1], pointers[2]), xl::kRetInvXlfn);
  ASSERT_EQ(hostsim::State().requests.size(), 2u);
  EXPECT_EQ(hostsim::State().requests[1].args[2].address, pointers[2]);
  // The array forms pass any count through unchanged.
  EXPECT_EQ(HostCallArray(1, nullptr, 300, pointers.data()), xl::kRetInvXlfn);
  EXPECT_EQ(hostsim::State().requests.back().count, 300);
  EXPECT_EQ(HostCallAndRelease(1, nullptr, 256), xl::kRetInvXlfn);
  EXPECT_EQ(hostsim::State().requests.back().count, 256);
}

TEST_F(Bridge, HostCallPassesAll255Arguments) {
  std::vector<XLOPER12> records(255);
  for (std::size_t i = 0; i < records.size(); ++i) {
    records[i].val.num = static_cast<double>(i);
    records[i].xltype = xl::kNum;
  }
  XLOPER12* p[255];
  for (int i = 0; i < 255; ++i) p[i] = &records[static_cast<std::size_t>(i)];
#define P16(b) p[b], p[b + 1], p[b + 2], p[b + 3], p[b + 4], p[b + 5], p[b + 6], p[b + 7], \
               p[b + 8], p[b + 9], p[b + 10], p[b + 11], p[b + 12], p[b + 13], p[b + 14], p[b + 15]
  HostCall(1, nullptr, 255, P16(0), P16(16), P16(32), P16(48), P16(64), P16(80), P16(96), P16(112),
           P16(128), P16(144), P16(160), P16(176), P16(192), P16(208), P16(224), p[240], p[241],
           p[242], p[243], p[244], p[245], p[246], p[247], p[248], p[249], p[250], p[251], p[252],
           p[253], p[254]);
#undef P16
  ASSERT_EQ(hostsim::State().requests.size(), 1u);
  const auto& args = hostsim::State().requests[0].args;
  ASSERT_EQ(args.size(), 255u);
  for (std::size_t i = 0; i < 255; ++i) EXPECT_EQ(args[i].num, static_cast<double>(i));
}

TEST_F(Bridge, HostCodesComeBackUnchangedAndThePoolIsReleased) {
  hostsim::State().answerCode = 77;
  XLOPER12 x{};
  EXPECT_EQ(HostCall(1, nullptr, 1, &x), 77);
  XLOPER12* args[] = {&x};
  EXPECT_EQ(HostCallArray(1, nullptr, 1, args), 77);
  ASSERT_NE(ScratchText12(u"temporary"), nullptr);
  EXPECT_GT(ScratchFillLevel(), 0u);
  EXPECT_EQ(HostCallAndRelease(1, nullptr, 1, &x), 77);
  EXPECT_EQ(ScratchFillLevel(), 0u);
}

TEST_F(Bridge, LegacyCallAndReleaseUsesTheArrayRoutine) {
  XLOPER a{}, b{};
  ASSERT_NE(ScratchNumber(1), nullptr);
  EXPECT_EQ(LegacyHostCallAndRelease(1, nullptr, 2, &a, &b), 2);  // the substitute answers the count
  EXPECT_EQ(ScratchFillLevel(), 0u);
}

TEST(LibraryEntry, NeverRefuses) {
  int marker = 0;
  for (std::uint32_t reason : {0u, 1u, 2u, 3u}) EXPECT_EQ(LibraryEntry(&marker, reason), 1);
  EXPECT_EQ(LibraryInstance(), &marker);  // recorded on process attach only
  LibraryEntry(nullptr, 0);
  EXPECT_EQ(LibraryInstance(), &marker);
}

}  // namespace

namespace {

TEST(LifecycleScratch, NoScratchMemoryIsHeldAfterTheCallbacks) {
  hostsim::Reset();
  ASSERT_NE(host::ScratchText12(u"left over"), nullptr);
  EXPECT_EQ(xlAutoOpen(), 1);
  EXPECT_EQ(host::ScratchFillLevel(), 0u);
  EXPECT_EQ(hostsim::State().registry.size(), 11u);
  XLOPER12 one{};
  one.val.num = 1;
  one.xltype = xl::kNum;
  xlAddInManagerInfo12(&one);
  xlAutoAdd();
  EXPECT_EQ(xlAutoClose(), 1);
  EXPECT_EQ(host::ScratchFillLevel(), 0u);
  EXPECT_TRUE(hostsim::State().definedNames.empty());
}

}  // namespace
