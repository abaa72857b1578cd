// The table of results that every target must give bit for bit: every
// numeric function and worksheet entry on pseudo-random arguments drawn in
// a fixed order.  The native build writes it; the Windows builds and the
// WebAssembly module compute it and compare.
#pragma once

#include <cstdint>
#include <cstring>
#include <vector>

namespace cross_table {

inline constexpr int kArgumentSets = 20000;  // per function

struct Range {
  double lo, hi;
};

// A function, its export signature ('d' double, 'i' mode), the worksheet entry
// that screens it (if any), and where its arguments are drawn from.
struct Function {
  const char* name;
  const char* signature;
  const char* entry;
  std::vector<Range> ranges;
};

inline const Range kDay{-5, 370}, kLatitude{-95, 95}, kTemperature{-60, 60}, kHumidity{-5, 110};
inline const std::vector<Function> kFunctions = {
    {"JDIA", "ddd", "JDIA_XLL", {{-100, 10000}, {-1, 14}, {-40, 40}}},
    {"SOLF56", "ddi", nullptr, {kDay, kLatitude, {-1, 4}}},
    {"DDIAF56", "dd", "DDIAF56_XLL", {kDay, kLatitude}},
    {"RADAF56", "dd", "RADAF56_XLL", {kDay, kLatitude}},
    {"RADF56", "dddddi", nullptr, {kDay, {0, 24}, {0, 1}, {0, 1}, kLatitude, {-1, 2}}},
    {"RADF56A", "ddddd", "RADF56A_XLL", {kDay, {-1, 25}, {-0.1, 1.1}, {-0.1, 1.1}, kLatitude}},
    {"RADF56P", "ddddd", "RADF56P_XLL", {kDay, {-5, 105}, {-0.1, 1.1}, {-0.1, 1.1}, kLatitude}},
    {"PVSF56", "d", "PVSF56_XLL", {kTemperature}},
    {"PVTRF56", "d", "PVTRF56_XLL", {kTemperature}},
    {"PVHRF56", "dddd", "PVHRF56_XLL", {kTemperature, kTemperature, kHumidity, kHumidity}},
    {"PVHM", "ddd", "PVHM_XLL", {kTemperature, kTemperature, kHumidity}},
    {"UUF56", "dd", nullptr, {{-1, 40}, {-1, 100}}},
    {"ETPF56", "dddddddddd", "ETPF56_XLL",
     {kDay, {-2, 45}, {-20, 55}, {-30, 40}, {-5, 5}, {-0.5, 7}, {-1, 30}, {-1, 20}, {-500, 9000},
      {-75, 75}}},
};

// splitmix64: the same sequence on every target.
struct Random {
  std::uint64_t state = 20261207;
  std::uint64_t Next() {
    std::uint64_t z = (state += 0x9E3779B97F4A7C15u);
    z = (z ^ (z >> 30)) * 0xBF58476D1CE4E5B9u;
    z = (z ^ (z >> 27)) * 0x94D049BB133111EBu;
    return z ^ (z >> 31);
  }
  // Mostly in the range; one argument in sixteen anywhere in +-1e6.
  double In(Range r) {
    const double unit = static_cast<double>(Next() >> 11) * 0x1p-53;
    if ((Next() & 15) == 0) return -1e6 + 2e6 * unit;
    return r.lo + (r.hi - r.lo) * unit;
  }
};

inline std::uint64_t Bits(double x) {
  std::uint64_t b;
  std::memcpy(&b, &x, sizeof b);
  return b;
}

}  // namespace cross_table
