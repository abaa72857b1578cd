// Results pinned to the last bit on every target: any change of the order of
// operations (an optimisation, a compiler flag, another mathematics library)
// that moves a result by one unit in the last place fails here, and so does
// any dependence on the x87 settings the host process leaves behind.
#include <gtest/gtest.h>

#include <cinttypes>
#include <cstdint>
#include <cstdio>
#include <cstring>
#include <vector>

#include "platform/export.h"
#include "tests/support/addin_under_test.h"
#include "tests/support/host_fpu.h"

namespace {

using testing_support::CoreExport;

using namespace testing_support;  // F2 ... F10

// Every function on a grid of realistic and edge inputs, in a fixed order.
std::vector<double> Results() {
  const auto jdia = reinterpret_cast<F3>(CoreExport("JDIA", "ddd"));
  const auto ddia = reinterpret_cast<F2>(CoreExport("DDIAF56", "dd"));
  const auto rada = reinterpret_cast<F2>(CoreExport("RADAF56", "dd"));
  const auto radA = reinterpret_cast<F5>(CoreExport("RADF56A", "ddddd"));
  const auto radP = reinterpret_cast<F5>(CoreExport("RADF56P", "ddddd"));
  const auto pvs = reinterpret_cast<double(TORVEN_CALL*)(double)>(CoreExport("PVSF56", "d"));
  const auto pvhr = reinterpret_cast<F4>(CoreExport("PVHRF56", "dddd"));
  const auto pvhm = reinterpret_cast<F3>(CoreExport("PVHM", "ddd"));
  const auto uu = reinterpret_cast<F2>(CoreExport("UUF56", "dd"));
  const auto etp = reinterpret_cast<F10>(CoreExport("ETPF56", "dddddddddd"));
  std::vector<double> r;
  for (double y : {1900.0, 2000.0, 2023.0, 100.0})
    for (double m = 1; m <= 12; m += 5) r.push_back(jdia(y, m, 28));
  for (double j = 1; j <= 366; j += 73)
    for (double lat : {-66.0, -37.75, -22.9, 0.0, 13.7333, 40.49, 50.8, 66.0}) {
      r.push_back(ddia(j, lat));
      r.push_back(rada(j, lat));
      r.push_back(radA(j, 7.1, 0.25, 0.5, lat));
      r.push_back(radP(j, 65, 0.23, 0.48, lat));
    }
  for (double t = -40; t <= 50; t += 7.3) {
    r.push_back(pvs(t));
    r.push_back(pvhr(t + 9, t, 90, 40));
    r.push_back(pvhm(t + 9, t, 60));
  }
  for (double z : {0.1, 0.5, 2.0, 3.0, 10.0, 40.0}) r.push_back(uu(2.5, z));
  for (double j = 1; j <= 366; j += 61)
    for (double lat : {-37.75, 13.7333, 40.49, 50.8})
      for (double elevation : {0.0, 100.0, 1138.0, 3000.0}) {
        r.push_back(etp(j, 22.07, 21.5, 12.3, 0, 1.409, 2.778, 10, elevation, lat));
        r.push_back(etp(j, 5.5, 2, -9, 0.5, 0.4, 0.7, 2, elevation, lat));
        r.push_back(etp(j, 30, 38, 24, -1, 2.85, 6, 3, elevation, lat));
      }
  return r;
}

const std::uint64_t kPinned[] = {
#include "tests/data/pinned_results.inc"
};

std::uint64_t Bits(double x) {
  std::uint64_t b;
  std::memcpy(&b, &x, sizeof b);
  return b;
}

void ExpectPinned(const std::vector<double>& results) {
  ASSERT_EQ(results.size(), std::size(kPinned));
  for (std::size_t i = 0; i < results.size(); ++i)
    EXPECT_EQ(Bits(results[i]), kPinned[i]) << "result " << i << " = " << results[i];
}

TEST(PinnedResults, BitIdenticalOnEveryTarget) { ExpectPinned(Results()); }

TEST(PinnedResults, UnchangedByTheHostsX87Settings) {
  ExpectPinned(WithX87ControlWord(kX87Single24TowardZero, Results));
}

// Prints the table above: run with --gtest_also_run_disabled_tests.
TEST(PinnedResults, DISABLED_Print) {
  for (double x : Results()) std::printf("0x%016" PRIx64 ",  // %.17g\n", Bits(x), x);
}

}  // namespace
