// A host that fails or lies: every request of the add-in's whole lifecycle is
// made to fail in turn, with every failure code the host can give and with
// wrong, null, lying and empty answers.  The lifecycle runs twice for each,
// so that state left by a failure in the first round shows in the second.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "host/scratch.h"
#include "tools/hostsim/host.h"
#include "worksheet/lifecycle.h"

namespace {

using hostsim::Fault;

struct Injection {
  Fault fault;
  int code;
};

// 1, 2, 4, ... 64: the host's failure codes; 0x7777 one it never gave.  The
// last two are no failures: the right answer with a release flag in its tag.
const Injection kInjections[] = {
    {Fault::kCode, 1},  {Fault::kCode, 2},        {Fault::kCode, 4},        {Fault::kCode, 8},
    {Fault::kCode, 16}, {Fault::kCode, 32},       {Fault::kCode, 64},       {Fault::kCode, 0x7777},
    {Fault::kWrongType, 0}, {Fault::kNullText, 0}, {Fault::kLyingCount, 0}, {Fault::kEmpty, 0},
    {Fault::kFlagged, xl::kHostFrees}, {Fault::kFlagged, xl::kAddInFrees}};

const char16_t* const kProcedures[] = {u"VENTISOLA_XLL", u"RADF56A_XLL", u"RADF56P_XLL", u"DDIAF56_XLL",
                                       u"RADAF56_XLL",   u"PVSF56_XLL",  u"PVTRF56_XLL", u"PVHRF56_XLL",
                                       u"PVHM_XLL",      u"ETPF56_XLL",  u"JDIA_XLL",    u"jdia_xll",
                                       u"RADF56A",       u"XYZ",         u""};

XLOPER12 Text(std::u16string& counted, const char16_t* text) {
  counted = std::u16string(1, static_cast<char16_t>(std::char_traits<char16_t>::length(text))) + text;
  XLOPER12 r{};
  r.val.str = counted.data();
  r.xltype = xl::kStr;
  return r;
}

XLOPER12 Number(double x) {
  XLOPER12 r{};
  r.val.num = x;
  r.xltype = xl::kNum;
  return r;
}

// True when the injected fault fell on a request made since `before` and
// spoils its answer: not a flagged answer (still the answer), not a request
// to free (no answer), nor a path whose count lies (still a text the add-in
// passes on).
bool Hit(int before) {
  const auto& s = hostsim::State();
  if (s.fault == Fault::kFlagged || s.faultAt < before || s.faultAt >= s.requestCount) return false;
  const int function = s.requests.at(static_cast<std::size_t>(s.faultAt)).function;
  return function != xl::kFree && !(function == xl::kGetName && s.fault == Fault::kLyingCount);
}

// One round of the lifecycle; checks what every callback returns.
void Round() {
  EXPECT_EQ(xlAutoOpen(), 1);
  EXPECT_EQ(xlAutoAdd(), 1);
  for (const char16_t* procedure : kProcedures) {
    std::u16string counted;
    XLOPER12 name = Text(counted, procedure);
    const int before = hostsim::State().requestCount;
    const XLOPER12* cell = xlAutoRegister12(&name);
    const bool registered = hostsim::State().requestCount > before;
    // The host's register identifier, or #VALUE! when nothing (usable) came.
    if (registered && !Hit(before)) {
      EXPECT_EQ(cell->xltype, xl::kNum);
    } else {
      EXPECT_EQ(cell->xltype, xl::kErr);
      EXPECT_EQ(cell->val.err, xl::kErrValue);
    }
  }
  for (double action : {1.0, 2.0}) {
    XLOPER12 value = Number(action);
    const int before = hostsim::State().requestCount;
    const XLOPER12* cell = xlAddInManagerInfo12(&value);
    EXPECT_EQ(cell->xltype, action == 1 && !Hit(before) ? xl::kStr : xl::kErr) << action;
  }
  XLOPER12 missing{};
  missing.xltype = xl::kMissing;
  EXPECT_EQ(VENTISOLA_XLL(&missing)->xltype, xl::kStr);
  EXPECT_EQ(xlAutoRemove(), 1);
  EXPECT_EQ(xlAutoClose(), 1);
}

TEST(HostFaults, EveryRequestFailsInTurnAndTheLifecycleStaysSound) {
  // The requests of two clean rounds: the positions to fail.
  hostsim::Reset();
  Round();
  Round();
  const int requests = hostsim::State().requestCount;
  ASSERT_GT(requests, 100);
  int pairs = 0;
  for (int at = 0; at < requests; ++at)
    for (const Injection& injection : kInjections) {
      hostsim::Reset();
      hostsim::State().faultAt = at;
      hostsim::State().fault = injection.fault;
      hostsim::State().faultCode = injection.code;
      const std::string where = "request " + std::to_string(at) + ", fault " +
                                std::to_string(static_cast<int>(injection.fault)) + "/" +
                                std::to_string(injection.code);
      SCOPED_TRACE(where);
      Round();
      Round();
      const hostsim::HostState& s = hostsim::State();
      // Nothing freed that the host did not hand out (or freed twice), and
      // everything it handed out given back (but what a failed free kept).
      EXPECT_EQ(s.foreignFrees, 0) << where;
      const bool failedFree = injection.fault != Fault::kFlagged &&
                              s.requests.at(static_cast<std::size_t>(at)).function == xl::kFree;
      EXPECT_EQ(s.handedOut.size(), failedFree ? 1u : 0u) << where;
      // Every registration names the library by a path the host gave.
      for (const hostsim::Request& r : s.requests)
        if (r.function == xl::kRegister) {
          ASSERT_FALSE(r.args.empty()) << where;
          EXPECT_EQ(xl::AnswerType(r.args[0].type), xl::kStr) << where;
          EXPECT_EQ(r.args[0].text.substr(0, s.addInPath.size()), s.addInPath) << where;
        }
      EXPECT_EQ(host::ScratchFillLevel(), 0u) << where;
      ++pairs;
      if (::testing::Test::HasFailure()) return;
    }
  std::printf("%d (request, failure) pairs, each over two rounds of the lifecycle\n", pairs);
  hostsim::Reset();
}

}  // namespace
