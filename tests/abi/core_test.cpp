// The numeric core, reached through the deliverable's exports by their
// decorated names: validation vectors with a tolerance per value.
#include <gtest/gtest.h>

#include <chrono>
#include <cmath>
#include <limits>

#include "platform/export.h"
#include "tests/support/addin_under_test.h"

namespace {

using testing_support::AddInUnderTest;
using testing_support::CoreExport;

using namespace testing_support;  // F1 ... F10
using Sol = double(TORVEN_CALL*)(double, double, int);
using Rad = double(TORVEN_CALL*)(double, double, double, double, double, int);

template <typename F>
F Get(const char* name, const char* signature) {
  auto f = reinterpret_cast<F>(CoreExport(name, signature));
  EXPECT_NE(f, nullptr) << "no export for " << name;
  return f;
}

struct Core {
  F3 jdia = Get<F3>("JDIA", "ddd");
  Sol solf56 = Get<Sol>("SOLF56", "ddi");
  F2 ddiaf56 = Get<F2>("DDIAF56", "dd");
  F2 radaf56 = Get<F2>("RADAF56", "dd");
  Rad radf56 = Get<Rad>("RADF56", "dddddi");
  F5 radf56a = Get<F5>("RADF56A", "ddddd");
  F5 radf56p = Get<F5>("RADF56P", "ddddd");
  F1 pvsf56 = Get<F1>("PVSF56", "d");
  F1 pvtrf56 = Get<F1>("PVTRF56", "d");
  F4 pvhrf56 = Get<F4>("PVHRF56", "dddd");
  F3 pvhm = Get<F3>("PVHM", "ddd");
  F2 uuf56 = Get<F2>("UUF56", "dd");
  F10 etpf56 = Get<F10>("ETPF56", "dddddddddd");
  F2 sumavoq = reinterpret_cast<F2>(AddInUnderTest().Symbol("SUMAVOQ"));
};

const Core& C() {
  static const Core core;
  return core;
}

constexpr double kInf = std::numeric_limits<double>::infinity();
constexpr double kNaN = std::numeric_limits<double>::quiet_NaN();

// Brussels, FAO-56 example 18 (6 July, 50 deg 48' N, 100 m).
double Brussels(double day, double pva, double height, double dtp) {
  return C().etpf56(day, 22.07, 21.5, 12.3, dtp, pva, 2.778, height, 100, 50.8);
}

TEST(CoreExports, AllResolve) {
  const Core& c = C();
  for (void* f : {(void*)c.jdia, (void*)c.solf56, (void*)c.ddiaf56, (void*)c.radaf56,
                  (void*)c.radf56, (void*)c.radf56a, (void*)c.radf56p, (void*)c.pvsf56,
                  (void*)c.pvtrf56, (void*)c.pvhrf56, (void*)c.pvhm, (void*)c.uuf56,
                  (void*)c.etpf56, (void*)c.sumavoq})
    EXPECT_NE(f, nullptr);
}

struct DateCase {
  double y, m, d, expected;
};

TEST(Calendar, DayOfYearTable) {
  const DateCase cases[] = {
      {2000, 2, 29, 60},   {2001, 2, 29, kInf},  {1900, 2, 29, kInf}, {2000, 3, 1, 61},
      {2100, 3, 1, 60},    {2000, 12, 31, 366},  {2001, 12, 31, 365}, {2001, 1, 1, 1},
      {0, 3, 1, 60},       {100, 3, 1, 61},      {1899, 3, 1, 60},    {1900, 3, 1, 60},
      {2018.9, 7.9, 14.9, 195}, {2000, 4, 31, kInf}, {2000, 1, 32, kInf}, {2001, 3, 0, 59},
      {2001, 1, 0, 0},     {2004, 2, 29, 60},    {2023, 7, 6, 187},   {2023, 4, 31, kInf},
      // Months outside the table give the invalid-date value.
      {2001, 13, 1, kInf}, {2001, 0, 1, kInf},   {2001, -3, 1, kInf},
  };
  for (const auto& c : cases)
    EXPECT_EQ(C().jdia(c.y, c.m, c.d), c.expected) << c.y << "-" << c.m << "-" << c.d;
}

TEST(Calendar, MatchesGregorianCalendar1900To2400) {
  using namespace std::chrono;
  int mismatches = 0;
  for (int y = 1900; y <= 2400; ++y) {
    for (unsigned m = 1; m <= 12; ++m) {
      const year_month_day_last last{year{y} / month{m} / std::chrono::last};
      const unsigned days = static_cast<unsigned>(last.day());
      for (unsigned d = 1; d <= 31; ++d) {
        double expected = kInf;
        if (d <= days) {
          const sys_days date{year{y} / month{m} / day{d}};
          const sys_days first{year{y} / January / 1};
          expected = static_cast<double>((date - first).count() + 1);
        }
        if (C().jdia(y, m, d) != expected && ++mismatches < 10)
          ADD_FAILURE() << y << "-" << m << "-" << d << " gives " << C().jdia(y, m, d);
      }
    }
  }
  EXPECT_EQ(mismatches, 0);
}

struct Vector {
  const char* what;
  double got, expected, tolerance;
};


template <std::size_t N>
void CheckAll(const Vector (&vectors)[N]) {
  for (const auto& v : vectors) EXPECT_NEAR(v.got, v.expected, v.tolerance) << v.what;
}

TEST(SolarGeometry, ModesAndUnsupportedModes) {
  EXPECT_EQ(C().solf56(246.9, -20, 0), 246);
  for (int mode : {1, 4, -1, 7, 1000})
    EXPECT_EQ(C().solf56(246, -20, mode), -999) << mode;
  for (int mode : {2, 3, 7, -1}) EXPECT_EQ(C().radf56(135, 7.1, 0.25, 0.5, -22.9, mode), -999) << mode;
  EXPECT_EQ(C().ddiaf56(1, 0), 12);  // omega_s = pi/2 at the equator
  EXPECT_EQ(C().ddiaf56(246, -20), C().solf56(246, -20, 2));
  EXPECT_EQ(C().radaf56(246, -20), C().solf56(246, -20, 3));
  EXPECT_EQ(C().radf56a(135, 7.1, 0.25, 0.5, -22.9), C().radf56(135, 7.1, 0.25, 0.5, -22.9, 0));
  EXPECT_EQ(C().radf56p(135, 65, 0.25, 0.5, -22.9), C().radf56(135, 65, 0.25, 0.5, -22.9, 1));
}

TEST(SolarGeometry, ValidationVectors) {
  const Vector v[] = {
      {"N(246,-20)", C().ddiaf56(246, -20), 11.6656, 5e-5},
      {"Ra(246,-20)", C().radaf56(246, -20), 32.1940, 5e-5},
      {"Rs hours, Rio", C().radf56a(135, 7.1, 0.25, 0.5, -22.9), 14.4598, 5e-5},
      {"Ra Rio", C().radaf56(135, -22.9), 25.1110, 5e-5},
      {"N Rio", C().ddiaf56(135, -22.9), 10.8951, 5e-5},
      {"Rs percent, Rio", C().radf56p(135, 65, 0.25, 0.5, -22.9), 14.4388, 5e-5},
      {"N(172,66)", C().ddiaf56(172, 66), 22.2383, 5e-5},
      // FAO-56 examples 8 and 9: 3 September at 20 deg S.
      {"Ex. 8 Ra", C().radaf56(246, -20), 32.2, 0.05},
      {"Ex. 9 N", C().ddiaf56(246, -20), 11.7, 0.05},
      // FAO-56 example 10: Rio de Janeiro, 14 May, 22 deg 54' S.
      {"Ex. 10 Ra", C().radaf56(135, -(22 + 54.0 / 60)), 25.1, 0.05},
      {"Ex. 10 N", C().ddiaf56(135, -(22 + 54.0 / 60)), 10.9, 0.05},
      {"Ex. 10 Rs", C().radf56a(135, 7.1, 0.25, 0.5, -(22 + 54.0 / 60)), 14.5, 0.05},
  };
  CheckAll(v);
}

TEST(SolarGeometry, DayIsTruncated) {
  EXPECT_EQ(C().radaf56(246.99, -20), C().radaf56(246, -20));
  EXPECT_EQ(C().radf56a(135.7, 7.1, 0.25, 0.5, -22.9), C().radf56a(135, 7.1, 0.25, 0.5, -22.9));
}

TEST(VapourPressure, ValidationVectors) {
  EXPECT_EQ(C().pvsf56(0), 0.6108);
  EXPECT_EQ(C().pvsf56(-237.3), 0);
  const Vector v[] = {
      {"e(20)", C().pvsf56(20), 2.338281, 5e-7},
      {"e(21.5)", C().pvsf56(21.5), 2.564420, 5e-7},
      {"e(12.3)", C().pvsf56(12.3), 1.430551, 5e-7},
      {"PVHRF56 Brussels", C().pvhrf56(21.5, 12.3, 84, 63), 1.408624, 5e-7},
      {"PVHM", C().pvhm(25, 18, 68), 1.699623, 5e-7},
      // FAO-56 examples 3 and 5.
      {"Ex. 3 e(24.5)", C().pvsf56(24.5), 3.075, 5e-4},
      {"Ex. 3 e(15)", C().pvsf56(15), 1.705, 5e-4},
      {"Ex. 5 ea", C().pvhrf56(25, 18, 82, 54), 1.70, 5e-3},
  };
  CheckAll(v);
  EXPECT_EQ(C().pvhm(25, 18, 0), 0);
  EXPECT_NE(C().pvhrf56(21.5, 12.3, 63, 84), C().pvhrf56(21.5, 12.3, 84, 63));
  for (double t : {-40.0, -0.5, 0.0, 12.3, 37.9, 60.0}) EXPECT_EQ(C().pvtrf56(t), C().pvsf56(t));
}

TEST(Wind, ThresholdAndProfile) {
  const double threshold = 0.09469026548672567;
  for (double z : {threshold, 0.0, -0.0, -3.0, 0.05, -1e300})
    EXPECT_EQ(C().uuf56(5, z), 0) << z;
  EXPECT_GT(C().uuf56(1, std::nextafter(threshold, 1.0)), 1e6);
  const Vector v[] = {
      {"u2(1,10)", C().uuf56(1, 10), 0.747951, 5e-7},
      {"u2(2.778,10)", C().uuf56(2.778, 10), 2.077808, 5e-7},
      {"u2(1,2)", C().uuf56(1, 2), 1.000222, 5e-7},
      {"Ex. 14", C().uuf56(3.2, 10), 2.4, 0.05},  // FAO-56 example 14
  };
  CheckAll(v);
}

TEST(ReferenceEvapotranspiration, WorkedExampleAndVariants) {
  const Vector v[] = {
      {"worked example", Brussels(187, 1.409, 10, 0), 3.87911, 5e-6},
      {"no wind (height 0)", Brussels(187, 1.409, 0, 0), 3.50650, 5e-6},
      {"PVA above es", Brussels(187, 2.5, 10, 0), 3.05560, 5e-6},
      {"DTP 100", Brussels(187, 1.409, 10, 100), 2.39999, 5e-6},
      {"Rnl above Rns", C().etpf56(355, 1.5, 2, -3, 0, 0.5, 3, 2, 0, 60), 0.363917, 5e-7},
  };
  CheckAll(v);
  EXPECT_EQ(Brussels(187.9, 1.409, 10, 0), Brussels(187, 1.409, 10, 0));
  EXPECT_EQ(Brussels(187, 1.409, 10, 300), 0);
  EXPECT_EQ(Brussels(187, 1.409, 0.09469026548672567, 0), Brussels(187, 1.409, 0, 0));
}

TEST(ReferenceEvapotranspiration, FaoExamples) {
  // Example 18, Brussels: the chain PVHRF56 -> RADF56A -> ETPF56.
  const double ea = C().pvhrf56(21.5, 12.3, 84, 63);
  const double rs = C().radf56a(187, 9.25, 0.25, 0.5, 50.8);
  const double wind = 10 / 3.6;  // 10 km/h
  EXPECT_NEAR(ea, 1.409, 5e-4);
  EXPECT_NEAR(rs, 22.07, 5e-3);
  EXPECT_NEAR(C().etpf56(187, rs, 21.5, 12.3, 0, ea, wind, 10, 100, 50.8), 3.88, 5e-3);
  // Example 17, Bangkok, April (J 105), 13 deg 44' N, 2 m; monthly: DTP 2.
  const double latitude = 13 + 44.0 / 60;
  const double rsBangkok = C().radf56a(105, 8.5, 0.25, 0.5, latitude);
  EXPECT_NEAR(rsBangkok, 22.65, 0.05);
  EXPECT_NEAR(C().etpf56(105, rsBangkok, 34.8, 25.6, 2, 2.85, 2, 2, 2, latitude), 5.72, 5e-3);
}

TEST(Arithmetic, SumAndSignedZero) {
  EXPECT_EQ(C().sumavoq(1.5, 2.25), 3.75);
  EXPECT_TRUE(std::signbit(C().sumavoq(-0.0, -0.0)));
  EXPECT_EQ(C().sumavoq(kInf, 1), kInf);
  EXPECT_TRUE(std::isnan(C().sumavoq(kInf, -kInf)));
}

TEST(NonFinite, NaNInfinityAndUntruncatableArguments) {
  const Core& c = C();
  // Arguments whose truncation is undefined give NaN, never a trap.
  for (double bad : {kNaN, kInf, -kInf, 3e9, -3e9, 1e300}) {
    EXPECT_TRUE(std::isnan(c.jdia(bad, 3, 1))) << bad;
    EXPECT_TRUE(std::isnan(c.jdia(2000, bad, 1))) << bad;
    EXPECT_TRUE(std::isnan(c.jdia(2000, 3, bad))) << bad;
    EXPECT_TRUE(std::isnan(c.solf56(bad, 10, 2))) << bad;
    EXPECT_TRUE(std::isnan(c.solf56(bad, 10, 0))) << bad;
    EXPECT_TRUE(std::isnan(c.radf56a(bad, 5, 0.25, 0.5, 10))) << bad;
    EXPECT_TRUE(std::isnan(Brussels(bad, 1.409, 10, 0))) << bad;
    EXPECT_EQ(c.solf56(bad, 10, 1), -999) << bad;  // the mode decides first
  }
  // The extremes of the 32-bit range still truncate.
  EXPECT_EQ(c.solf56(2147483647.9, 0, 0), 2147483647);
  EXPECT_EQ(c.solf56(-2147483648.9, 0, 0), -2147483648.0);
  EXPECT_EQ(c.jdia(2147483647, 1, -2147483647), -2147483646.0);
  // Polar day and night, NaN latitude.
  EXPECT_TRUE(std::isnan(c.ddiaf56(172, 67)));
  EXPECT_TRUE(std::isnan(c.radaf56(172, 67)));
  EXPECT_TRUE(std::isnan(c.radaf56(100, 90)));
  EXPECT_TRUE(std::isnan(c.ddiaf56(100, kNaN)));
  // NaN flows through the formulas; the clamps leave it alone.
  EXPECT_TRUE(std::isnan(c.pvsf56(kNaN)));
  EXPECT_TRUE(std::isnan(c.uuf56(1, kNaN)));
  EXPECT_TRUE(std::isnan(Brussels(187, -0.5, 10, 0)));        // sqrt of negative PVA
  EXPECT_TRUE(std::isnan(c.etpf56(187, 22, 21, 12, 0, 1.4, 2, 10, 50000, 50.8)));  // P is NaN
  EXPECT_TRUE(std::isnan(c.etpf56(172, 22, 21, 12, 0, 1.4, 2, 10, 100, 67)));     // Ra is NaN
  EXPECT_TRUE(std::isnan(c.etpf56(187, 22, kNaN, 12, 0, 1.4, 2, 10, 100, 50.8)));
  // Rso = 0: an infinite cloudiness factor, clamped net radiation.
  EXPECT_FALSE(std::isnan(c.etpf56(187, 22, 21, 12, 0, 1.4, 2, 10, -37500, 50.8)));
  EXPECT_EQ(c.uuf56(kInf, 10), kInf);
  EXPECT_EQ(c.pvsf56(-0.0), 0.6108);
}

}  // namespace
