// The worksheet entries, called through their exports with records built
// here: screening order, type tags, bounds, cross checks, result check and
// result cells.
#include <gtest/gtest.h>

#include <cmath>
#include <limits>
#include <string>
#include <vector>

#include "tests/support/addin_under_test.h"

namespace {

using namespace testing_support;

constexpr double M = 1.7976931348623157e308;
constexpr double kInf = std::numeric_limits<double>::infinity();
constexpr double kNaN = std::numeric_limits<double>::quiet_NaN();

struct Entry {
  const char* name;
  std::vector<double> valid;  // in-range arguments
};

const std::vector<Entry>& Entries() {
  static const std::vector<Entry> entries = {
      {"RADF56A_XLL", {135, 7.1, 0.25, 0.5, -22.9}},
      {"RADF56P_XLL", {135, 65, 0.25, 0.5, -22.9}},
      {"DDIAF56_XLL", {246, -20}},
      {"RADAF56_XLL", {246, -20}},
      {"PVSF56_XLL", {20}},
      {"PVTRF56_XLL", {12}},
      {"PVHRF56_XLL", {21.5, 12.3, 84, 63}},
      {"PVHM_XLL", {25, 18, 68}},
      {"ETPF56_XLL", {187, 22.07, 21.5, 12.3, 0, 1.409, 2.778, 10, 100, 50.8}},
      {"JDIA_XLL", {2023, 7, 6}},
  };
  return entries;
}

// Calls `name` with the given records and returns a copy of its result.
XLOPER12 Call(const char* name, std::vector<XLOPER12> records, XLOPER12** cell = nullptr) {
  std::vector<XLOPER12*> pointers;
  for (auto& r : records) pointers.push_back(&r);
  XLOPER12* result = AddInUnderTest().CallProcedure(name, static_cast<int>(pointers.size()),
                                                    pointers.data());
  if (cell != nullptr) *cell = result;
  EXPECT_NE(result, nullptr) << name;
  return result != nullptr ? *result : Typed(0);
}

XLOPER12 CallNumbers(const char* name, const std::vector<double>& numbers) {
  std::vector<XLOPER12> records;
  for (double x : numbers) records.push_back(Num(x));
  return Call(name, records);
}

std::vector<XLOPER12> Numbers(const std::vector<double>& numbers) {
  std::vector<XLOPER12> records;
  for (double x : numbers) records.push_back(Num(x));
  return records;
}

::testing::AssertionResult IsError(const XLOPER12& r, std::int32_t code) {
  if (r.xltype == xl::kErr && r.val.err == code) return ::testing::AssertionSuccess();
  return ::testing::AssertionFailure() << "type " << r.xltype << " value "
                                       << (r.xltype == xl::kNum ? r.val.num : r.val.err);
}

::testing::AssertionResult IsNumber(const XLOPER12& r) {
  if (r.xltype == xl::kNum) return ::testing::AssertionSuccess();
  return ::testing::AssertionFailure() << "type " << r.xltype << " error " << r.val.err;
}

TEST(EntryErrors, FirstArgumentErrorPassesOnWhateverFollows) {
  for (const auto& e : Entries()) {
    std::vector<XLOPER12> args(e.valid.size(), Typed(xl::kMissing));
    args[0] = Err(xl::kErrNA);
    EXPECT_TRUE(IsError(Call(e.name, args), xl::kErrNA)) << e.name;
  }
}

TEST(EntryErrors, SecondArgumentErrorAndScreeningOrder) {
  for (const auto& e : Entries()) {
    if (e.valid.size() < 2) continue;
    auto args = Numbers(e.valid);
    args[1] = Err(xl::kErrDiv0);
    EXPECT_TRUE(IsError(Call(e.name, args), xl::kErrDiv0)) << e.name;
    args[0] = Num(kNaN);  // out of range in every entry's first argument
    EXPECT_TRUE(IsError(Call(e.name, args), xl::kErrNum)) << e.name;
  }
}

TEST(EntryErrors, EveryErrorCodeIsPassedUnchanged) {
  for (std::int32_t code : {0, 7, 15, 23, 29, 36, 42, 43, 12345, -1})
    EXPECT_TRUE(IsError(Call("PVSF56_XLL", {Err(code)}), code)) << code;
}

TEST(EntryTypes, EveryNonNumberTagInEveryPositionIsValueError) {
  const std::uint32_t tags[] = {0,      xl::kStr, xl::kBool,  xl::kRef, xl::kFlow, xl::kMulti,
                                xl::kMissing, xl::kNil, xl::kSRef, xl::kInt, xl::kBigData,
                                xl::kNum | xl::kHostFrees, xl::kNum | xl::kAddInFrees,
                                xl::kErr | xl::kHostFrees, 0xFFFFFFFFu, 0x10000u | xl::kNum};
  for (const auto& e : Entries()) {
    for (std::size_t position = 0; position < e.valid.size(); ++position) {
      for (std::uint32_t tag : tags) {
        auto args = Numbers(e.valid);
        args[position] = Typed(tag);
        args[position].val.num = e.valid[position];  // a number hiding behind a wrong tag
        EXPECT_TRUE(IsError(Call(e.name, args), xl::kErrValue))
            << e.name << " argument " << position + 1 << " tag " << tag;
      }
    }
  }
}

struct BoundCase {
  const char* entry;
  int position;  // 0-based
  double value;
  bool accepted;
};

TEST(EntryBounds, EachBoundOnBothSides) {
  const double below90 = std::nextafter(-90.0, -100.0), above90 = std::nextafter(90.0, 100.0);
  const BoundCase cases[] = {
      // Day of year: 0 < x <= 366.
      {"RADF56A_XLL", 0, 0, false}, {"RADF56A_XLL", 0, 0.5, true}, {"RADF56A_XLL", 0, 366, true},
      {"RADF56A_XLL", 0, 366.5, false}, {"RADF56P_XLL", 0, 4.9e-324, true},
      {"DDIAF56_XLL", 0, 0, false}, {"DDIAF56_XLL", 0, 366, true}, {"RADAF56_XLL", 0, 366.5, false},
      {"ETPF56_XLL", 0, 0, false}, {"ETPF56_XLL", 0, 366, true},
      // Latitude: |x| <= 90.
      {"DDIAF56_XLL", 1, 90, true}, {"DDIAF56_XLL", 1, -90, true}, {"DDIAF56_XLL", 1, 90.5, false},
      {"RADAF56_XLL", 1, -90.5, false}, {"RADAF56_XLL", 1, above90, false},
      {"RADF56A_XLL", 4, below90, false}, {"ETPF56_XLL", 9, -90, true}, {"ETPF56_XLL", 9, 90.5, false},
      // Sunshine: hours 0..24, percent 0..100.
      {"RADF56A_XLL", 1, 24, true}, {"RADF56A_XLL", 1, 24.01, false}, {"RADF56A_XLL", 1, 0, true},
      {"RADF56A_XLL", 1, -0.01, false}, {"RADF56P_XLL", 1, 100, true}, {"RADF56P_XLL", 1, 100.01, false},
      // Angstrom constants: any finite number.
      {"RADF56A_XLL", 2, M, true}, {"RADF56A_XLL", 2, -kInf, false}, {"RADF56A_XLL", 3, -M, true},
      {"RADF56P_XLL", 3, kInf, false},
      // Temperatures: PVSF56 includes +-M, the others exclude it.
      {"PVSF56_XLL", 0, -M, true}, {"PVSF56_XLL", 0, kInf, false},
      {"PVTRF56_XLL", 0, M, false}, {"PVTRF56_XLL", 0, -M, false},
      {"PVTRF56_XLL", 0, std::nextafter(M, 0.0), true},
      {"PVHRF56_XLL", 0, M, false}, {"PVHM_XLL", 1, -M, false},
      {"ETPF56_XLL", 2, 1e76, false}, {"ETPF56_XLL", 3, -1e76, false},
      // Humidities: 0..100.
      {"PVHRF56_XLL", 2, 100, true}, {"PVHRF56_XLL", 2, 100.5, false}, {"PVHRF56_XLL", 3, 0, true},
      {"PVHRF56_XLL", 3, -0.5, false}, {"PVHM_XLL", 2, 0, true}, {"PVHM_XLL", 2, 100.01, false},
      // ETPF56: radiation 0..1000, PVA 0<x<1000, wind and height from 0, altitude +-100000.
      {"ETPF56_XLL", 1, 0, true}, {"ETPF56_XLL", 1, 1000, true}, {"ETPF56_XLL", 1, 1000.5, false},
      {"ETPF56_XLL", 4, M, false}, {"ETPF56_XLL", 4, -1e300, true},
      {"ETPF56_XLL", 5, 0, false}, {"ETPF56_XLL", 5, 1000, false}, {"ETPF56_XLL", 5, 999.9, true},
      {"ETPF56_XLL", 6, 0, true}, {"ETPF56_XLL", 6, -0.1, false}, {"ETPF56_XLL", 6, M, false},
      {"ETPF56_XLL", 7, 0, true}, {"ETPF56_XLL", 7, -0.1, false}, {"ETPF56_XLL", 7, 1e300, false},
      {"ETPF56_XLL", 8, 100000, false}, {"ETPF56_XLL", 8, -100000, false}, {"ETPF56_XLL", 8, 99999, true},
      // JDIA: year 0..9999, month 1..12, day 1..31.
      {"JDIA_XLL", 0, 0, true}, {"JDIA_XLL", 0, 9999, true}, {"JDIA_XLL", 0, 10000, false},
      {"JDIA_XLL", 0, -1, false}, {"JDIA_XLL", 1, 0.5, false}, {"JDIA_XLL", 1, 12.5, false},
      {"JDIA_XLL", 1, 1.9, true}, {"JDIA_XLL", 2, 0, false}, {"JDIA_XLL", 2, 31.5, false},
      {"JDIA_XLL", 2, 1, true},
  };
  for (const auto& c : cases) {
    for (const auto& e : Entries()) {
      if (std::string(e.name) != c.entry) continue;
      auto args = e.valid;
      args[static_cast<std::size_t>(c.position)] = c.value;
      // Only #NUM! tells a refused bound: an accepted extreme value may
      // still meet the result check.
      const XLOPER12 r = CallNumbers(c.entry, args);
      const bool refused = r.xltype == xl::kErr && r.val.err == xl::kErrNum;
      EXPECT_EQ(!refused, c.accepted) << c.entry << " argument " << c.position + 1 << " = " << c.value;
    }
  }
}

TEST(EntryBounds, NaNIsNeverInRange) {
  for (const auto& e : Entries())
    for (std::size_t position = 0; position < e.valid.size(); ++position) {
      auto args = e.valid;
      args[position] = kNaN;
      EXPECT_TRUE(IsError(CallNumbers(e.name, args), xl::kErrNum)) << e.name << " " << position;
    }
}

TEST(EntryCrossChecks, PlaceInTheOrder) {
  // PVHRF56: the cross checks come after all four arguments.
  EXPECT_TRUE(IsError(Call("PVHRF56_XLL", {Num(10), Num(20), Num(80), Typed(xl::kStr)}), xl::kErrValue));
  EXPECT_TRUE(IsError(CallNumbers("PVHRF56_XLL", {10, 20, 80, 40}), xl::kErrNum));
  EXPECT_TRUE(IsError(CallNumbers("PVHRF56_XLL", {20, 10, 40, 80}), xl::kErrNum));
  EXPECT_TRUE(IsNumber(CallNumbers("PVHRF56_XLL", {20, 20, 60, 60})));
  // PVHM: after argument 3.
  EXPECT_TRUE(IsError(Call("PVHM_XLL", {Num(10), Num(20), Err(xl::kErrNA)}), xl::kErrNA));
  EXPECT_TRUE(IsError(CallNumbers("PVHM_XLL", {10, 20, 50}), xl::kErrNum));
  EXPECT_TRUE(IsNumber(CallNumbers("PVHM_XLL", {15, 15, 50})));
  // ETPF56: after argument 4, before argument 5.
  std::vector<XLOPER12> args = Numbers({187, 22.07, 10, 20, 0, 1.409, 2.778, 10, 100, 50.8});
  args[4] = Typed(xl::kStr);
  EXPECT_TRUE(IsError(Call("ETPF56_XLL", args), xl::kErrNum));
  args[2] = Num(20);
  EXPECT_TRUE(IsError(Call("ETPF56_XLL", args), xl::kErrValue));
}

TEST(EntryResults, ResultCheck) {
  EXPECT_TRUE(IsError(CallNumbers("PVSF56_XLL", {M}), xl::kErrValue));   // core gives +inf
  EXPECT_TRUE(IsError(CallNumbers("PVSF56_XLL", {-M}), xl::kErrValue));
  EXPECT_TRUE(IsError(CallNumbers("JDIA_XLL", {2023, 4, 31}), xl::kErrValue));  // invalid date
  const XLOPER12 polar = CallNumbers("DDIAF56_XLL", {172, 80});
  ASSERT_TRUE(IsNumber(polar));
  EXPECT_TRUE(std::isnan(polar.val.num));
  const XLOPER12 day = CallNumbers("JDIA_XLL", {2004, 2, 29});
  ASSERT_TRUE(IsNumber(day));
  EXPECT_EQ(day.val.num, 60);
}

TEST(EntryResults, EqualTheCoreExactly) {
  struct Pair {
    const char* entry;
    const char* core;
    const char* signature;
    int mode;  // -1: none
  };
  const Pair pairs[] = {{"RADF56A_XLL", "RADF56A", "ddddd", -1}, {"RADF56P_XLL", "RADF56P", "ddddd", -1},
                        {"DDIAF56_XLL", "SOLF56", "ddi", 2},      {"RADAF56_XLL", "SOLF56", "ddi", 3},
                        {"PVSF56_XLL", "PVSF56", "d", -1},        {"PVTRF56_XLL", "PVTRF56", "d", -1},
                        {"PVHRF56_XLL", "PVHRF56", "dddd", -1},   {"PVHM_XLL", "PVHM", "ddd", -1},
                        {"ETPF56_XLL", "ETPF56", "dddddddddd", -1}, {"JDIA_XLL", "JDIA", "ddd", -1}};
  for (const auto& p : pairs) {
    void* core = CoreExport(p.core, p.signature);
    ASSERT_NE(core, nullptr) << p.core;
    for (const auto& e : Entries()) {
      if (std::string(e.name) != p.entry) continue;
      // A few in-range variations of the valid arguments.
      for (double scale : {1.0, 0.9, 0.5, 0.25}) {
        std::vector<double> a = e.valid;
        a[0] = std::trunc(a[0] * scale) + 0.5;
        if (std::string(p.entry) == "JDIA_XLL") a = {2000 * scale, 12 * scale, 28 * scale};
        if (std::string(p.entry) == "PVHRF56_XLL" || std::string(p.entry) == "PVHM_XLL") a[0] = e.valid[0];
        double expected;
        const double* x = a.data();
        switch (a.size()) {
          case 1: expected = reinterpret_cast<double(TORVEN_CALL*)(double)>(core)(x[0]); break;
          case 2: expected = reinterpret_cast<double(TORVEN_CALL*)(double, double, int)>(core)(x[0], x[1], p.mode); break;
          case 3: expected = reinterpret_cast<double(TORVEN_CALL*)(double, double, double)>(core)(x[0], x[1], x[2]); break;
          case 4: expected = reinterpret_cast<double(TORVEN_CALL*)(double, double, double, double)>(core)(x[0], x[1], x[2], x[3]); break;
          case 5: expected = reinterpret_cast<double(TORVEN_CALL*)(double, double, double, double, double)>(core)(x[0], x[1], x[2], x[3], x[4]); break;
          default:
            expected = reinterpret_cast<double(TORVEN_CALL*)(double, double, double, double, double, double, double,
                                                            double, double, double)>(core)(
                x[0], x[1], x[2], x[3], x[4], x[5], x[6], x[7], x[8], x[9]);
        }
        const XLOPER12 r = CallNumbers(p.entry, a);
        ASSERT_TRUE(IsNumber(r)) << p.entry << " scale " << scale;
        EXPECT_EQ(r.val.num, expected) << p.entry << " scale " << scale;
      }
    }
  }
}

TEST(EntryResults, CellIdentityAndIndependence) {
  XLOPER12* first = nullptr;
  XLOPER12* again = nullptr;
  XLOPER12* other = nullptr;
  Call("PVSF56_XLL", {Typed(xl::kStr)}, &first);
  ASSERT_NE(first, nullptr);
  EXPECT_TRUE(IsError(*first, xl::kErrValue));
  Call("PVTRF56_XLL", {Num(5)}, &other);
  EXPECT_NE(other, first);
  EXPECT_TRUE(IsError(*first, xl::kErrValue));  // untouched by another entry
  Call("PVSF56_XLL", {Num(0)}, &again);
  EXPECT_EQ(again, first);
  ASSERT_TRUE(IsNumber(*again));
  EXPECT_EQ(again->val.num, 0.6108);
  // Every entry owns a distinct cell.
  std::vector<XLOPER12*> cells;
  for (const auto& e : Entries()) {
    XLOPER12* cell = nullptr;
    CallNumbers(e.name, e.valid);
    Call(e.name, Numbers(e.valid), &cell);
    for (XLOPER12* seen : cells) EXPECT_NE(seen, cell) << e.name;
    cells.push_back(cell);
    EXPECT_EQ(cell->xltype & (xl::kHostFrees | xl::kAddInFrees), 0u);
  }
}

}  // namespace
