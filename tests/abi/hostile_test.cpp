// Hostile input to every exported function that takes a pointer: null
// pointers where a host or native caller could pass one, strings that claim
// 0 or 65535 characters, arrays of 0 x 0.  The outcome is the specified
// error value (or the version text), never a crash or a read past the value.
#include <gtest/gtest.h>

#include <vector>

#include "tests/support/addin_under_test.h"
#include "tools/hostsim/host.h"

namespace {

using namespace testing_support;

struct Procedure {
  const char* name;
  int arity;
};

constexpr Procedure kEntries[] = {{"RADF56A_XLL", 5}, {"RADF56P_XLL", 5}, {"DDIAF56_XLL", 2},
                                  {"RADAF56_XLL", 2}, {"PVSF56_XLL", 1},  {"PVTRF56_XLL", 1},
                                  {"PVHRF56_XLL", 4}, {"PVHM_XLL", 3},    {"ETPF56_XLL", 10},
                                  {"JDIA_XLL", 3}};

// A string record claiming `count` characters with only two behind it.
XLOPER12 Claiming(XCHAR count) {
  static XCHAR buffers[2][3];
  XCHAR* b = buffers[count == 0 ? 0 : 1];
  b[0] = count;
  b[1] = u'a';
  b[2] = u'b';
  return Str(b);
}

XLOPER12 EmptyArray() {
  XLOPER12 r = Typed(xl::kMulti);
  r.val.array = {nullptr, 0, 0};
  return r;
}

TEST(HostileInput, EntriesAnswerValueErrorForNullStringsAndEmptyArrays) {
  const XLOPER12 hostile[] = {Claiming(0), Claiming(65535), EmptyArray(), Typed(xl::kNil)};
  for (const auto& e : kEntries) {
    for (int position = 0; position < e.arity; ++position) {
      for (int variant = -1; variant < static_cast<int>(std::size(hostile)); ++variant) {
        std::vector<XLOPER12> records(static_cast<std::size_t>(e.arity), Num(1));
        std::vector<XLOPER12*> pointers;
        for (auto& r : records) pointers.push_back(&r);
        if (variant < 0) pointers[static_cast<std::size_t>(position)] = nullptr;  // a null pointer
        else records[static_cast<std::size_t>(position)] = hostile[variant];
        // Earlier arguments hold 1, which some entries refuse first: either
        // way the answer is one of the two screening errors.
        const XLOPER12* r = AddInUnderTest().CallProcedure(e.name, e.arity, pointers.data());
        ASSERT_NE(r, nullptr);
        EXPECT_EQ(r->xltype, xl::kErr) << e.name;
        EXPECT_TRUE(r->val.err == xl::kErrValue || r->val.err == xl::kErrNum) << e.name;
        if (position == 0) {
          EXPECT_EQ(r->val.err, xl::kErrValue) << e.name << " variant " << variant;
        }
      }
    }
  }
}

TEST(HostileInput, CallbacksWithNullOrLyingRecords) {
  hostsim::Reset();
  XLOPER12* args[1] = {nullptr};
  const XLOPER12* r = AddInUnderTest().CallProcedure("xlAutoRegister12", 1, args);
  EXPECT_EQ(r->val.err, xl::kErrValue);
  for (XCHAR count : {XCHAR{0}, XCHAR{65535}}) {
    XLOPER12 lying = Claiming(count);
    args[0] = &lying;
    r = AddInUnderTest().CallProcedure("xlAutoRegister12", 1, args);
    EXPECT_EQ(r->xltype, xl::kErr);
    EXPECT_EQ(r->val.err, xl::kErrValue);
  }
  XLOPER12 empty = EmptyArray();
  for (XLOPER12* action : {static_cast<XLOPER12*>(nullptr), &empty}) {
    args[0] = action;
    r = AddInUnderTest().CallProcedure("xlAddInManagerInfo12", 1, args);
    EXPECT_EQ(r->xltype, xl::kErr);
    EXPECT_EQ(r->val.err, xl::kErrValue);
    r = AddInUnderTest().CallProcedure("VENTISOLA_XLL", 1, args);
    EXPECT_EQ(r->xltype, xl::kStr);
  }
  EXPECT_EQ(hostsim::State().registerRequests, 0);
}

TEST(HostileInput, NullEntryPointHandedIn) {
  using SetEntry = void(TORVEN_CALL*)(HostEntryPoint);
  auto set = reinterpret_cast<SetEntry>(AddInUnderTest().Symbol(
      platform::kWindows && platform::k32Bit ? "_SetExcel12EntryPt@4" : "SetExcel12EntryPt"));
  ASSERT_NE(set, nullptr);
  set(nullptr);
  EXPECT_EQ(AddInUnderTest().CallVoid("xlAutoAdd"), 1);  // requests still reach the host
}

}  // namespace
