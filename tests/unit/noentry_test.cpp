// The host call bridge in a program that exports no "MdCallBack12": every
// request fails with 32 until an entry point is handed in, and the first
// one handed in stays.
#include <gtest/gtest.h>

#include "host/bridge.h"
#include "host/scratch.h"
#include "platform/export.h"

namespace {

using namespace host;

int pCalls = 0, qCalls = 0;
int TORVEN_CALL P(int, int, XLOPER12**, XLOPER12*) { return ++pCalls, 5; }
int TORVEN_CALL Q(int, int, XLOPER12**, XLOPER12*) { return ++qCalls, 6; }

TEST(NoEntryPoint, RequestsFailUntilAPointerIsHandedInAndTheFirstStays) {
  XLOPER12 x{};
  XLOPER12* args[] = {&x};
  EXPECT_EQ(HostCall(1, nullptr, 0), xl::kRetFailed);
  EXPECT_EQ(HostCall(1, nullptr, 256), xl::kRetFailed);  // the entry test comes first
  EXPECT_EQ(HostCallArray(1, nullptr, 1, args), xl::kRetFailed);
  ASSERT_NE(ScratchText12(u"kept until the release"), nullptr);
  EXPECT_EQ(HostCallAndRelease(1, nullptr, 1, &x), xl::kRetFailed);
  EXPECT_EQ(ScratchFillLevel(), 0u);
  EXPECT_EQ(ScratchSheetRef12(0, 0, 0, 0), nullptr);
  if (!platform::kWindows) {  // no legacy library in this process either
    EXPECT_EQ(ScratchSheetRef(0, 0, 0, 0), nullptr);
    EXPECT_EQ(LegacyHostCallAndRelease(1, nullptr, 0), xl::kRetFailed);
  }

  SetExcel12EntryPt(nullptr);
  EXPECT_EQ(HostCall(1, nullptr, 0), xl::kRetFailed);

  SetExcel12EntryPt(&P);
  EXPECT_EQ(HostCall(1, nullptr, 0), 5);
  SetExcel12EntryPt(&Q);
  EXPECT_EQ(HostCallAndRelease(1, nullptr, 1, &x), 5);
  EXPECT_EQ(qCalls, 0);
  EXPECT_EQ(pCalls, 2);
}

TEST(NoEntryPoint, TeardownGivesThePoolsBackAndTheyCanBeMadeAgain) {
  ASSERT_NE(ScratchAlloc(100), nullptr);
  EXPECT_GT(ScratchTableCount(), 0);
  ScratchRelease();  // (a block whose pieces are held is kept)
  ScratchTeardown();
  EXPECT_EQ(ScratchTableCount(), 0);
  EXPECT_EQ(ScratchTableCapacity(), 0);
  ScratchTeardown();  // twice is harmless
  EXPECT_EQ(ScratchFillLevel(), 0u);
  ASSERT_NE(ScratchAlloc(10240), nullptr);  // a new table, an empty pool
  EXPECT_EQ(ScratchTableCapacity(), 4);
}

}  // namespace
