// The mathematics library against MPFR: over a million arguments per function
// in the ranges the formulas use, wider ranges, and the special values, every
// result must lie within one unit in the last place of the exact value.
#include <gtest/gtest.h>
#include <mpfr.h>

#include <cmath>
#include <cstdint>
#include <cstdio>
#include <cstring>
#include <limits>
#include <random>
#include <vector>

#include "core/math.h"

namespace {

constexpr double kInf = std::numeric_limits<double>::infinity();
constexpr double kNaN = std::numeric_limits<double>::quiet_NaN();
constexpr double kMin = std::numeric_limits<double>::min();
constexpr double kTrue = std::numeric_limits<double>::denorm_min();
constexpr double kMax = std::numeric_limits<double>::max();
constexpr int kSamplesPerRange = 300000;

using Unary = int (*)(mpfr_ptr, mpfr_srcptr, mpfr_rnd_t);

// One function: our implementation, MPFR's, and where to sample it.
struct Function {
  const char* name;
  double (*ours)(double, double);
  int (*exact)(mpfr_ptr, mpfr_srcptr, mpfr_srcptr, mpfr_rnd_t);
  std::vector<std::pair<double, double>> x;  // ranges of the first argument
  std::pair<double, double> y;               // range of the second (pow)
};

template <Unary f>
int Exact1(mpfr_ptr r, mpfr_srcptr x, mpfr_srcptr, mpfr_rnd_t rnd) { return f(r, x, rnd); }

const std::vector<Function>& Functions() {
  // The formulas' ranges first: sin and cos of day angles and latitudes, tan of
  // latitudes and declinations, acos of their products, exp of eq. 11's
  // exponent, log of eq. 47's argument, pow of eq. 7's ratio to 5.26.
  static const std::vector<Function> functions = {
      {"sin", [](double x, double) { return core::math::sin(x); }, Exact1<mpfr_sin>,
       {{-1.6, 5.0}, {-1e6, 1e6}}, {}},
      {"cos", [](double x, double) { return core::math::cos(x); }, Exact1<mpfr_cos>,
       {{-1.6, 5.0}, {-1e6, 1e6}}, {}},
      {"tan", [](double x, double) { return core::math::tan(x); }, Exact1<mpfr_tan>,
       {{-1.5707963267948966, 1.5707963267948966}, {-1e6, 1e6}}, {}},
      {"asin", [](double x, double) { return core::math::asin(x); }, Exact1<mpfr_asin>,
       {{-1, 1}, {-1e-3, 1e-3}}, {}},
      {"acos", [](double x, double) { return core::math::acos(x); }, Exact1<mpfr_acos>,
       {{-1, 1}, {-1e-3, 1e-3}}, {}},
      {"atan", [](double x, double) { return core::math::atan(x); }, Exact1<mpfr_atan>,
       {{-10, 10}, {-1e6, 1e6}}, {}},
      {"exp", [](double x, double) { return core::math::exp(x); }, Exact1<mpfr_exp>,
       {{-60, 10}, {-5, 5}, {-745, 709.7}}, {}},
      {"log", [](double x, double) { return core::math::log(x); }, Exact1<mpfr_log>,
       {{1e-3, 1e5}, {kMin, 1e300}}, {}},
      {"pow", [](double x, double y) { return core::math::pow(x, y); }, mpfr_pow,
       {{0.3, 1.1}, {1e-3, 1e3}}, {-20, 20}},
  };
  return functions;
}

// The error of `result` in units in the last place of the exact value at x, y.
double UlpError(const Function& f, double x, double y, double result) {
  mpfr_t mx, my, exact, diff;
  mpfr_inits2(128, mx, my, exact, diff, static_cast<mpfr_ptr>(nullptr));
  mpfr_set_d(mx, x, MPFR_RNDN);
  mpfr_set_d(my, y, MPFR_RNDN);
  f.exact(exact, mx, my, MPFR_RNDN);
  double error;
  const double rounded = mpfr_get_d(exact, MPFR_RNDN);
  if (mpfr_nan_p(exact)) {
    error = std::isnan(result) ? 0 : kInf;
  } else if (std::isinf(rounded) || rounded == 0 || std::isinf(result)) {
    // Beyond the double range (or exactly zero): the correctly rounded value.
    error = result == rounded ? 0 : kInf;
  } else {
    // ulp of the exact value: 2^(E - 53) for a value in [2^(E-1), 2^E),
    // never below the subnormal spacing 2^-1074.
    const long e = mpfr_get_exp(exact);
    mpfr_sub_d(diff, exact, result, MPFR_RNDN);
    mpfr_abs(diff, diff, MPFR_RNDN);
    mpfr_mul_2si(diff, diff, -(e - 53 < -1074 ? -1074 : e - 53), MPFR_RNDN);
    error = mpfr_get_d(diff, MPFR_RNDU);
  }
  mpfr_clears(mx, my, exact, diff, static_cast<mpfr_ptr>(nullptr));
  return error;
}

TEST(MathLibrary, WithinOneUlpOfMpfrOverAMillionArgumentsEach) {
  const std::vector<double> specials = {0.0, -0.0, kInf, -kInf, kNaN, kTrue, -kTrue, kMin,
                                        -kMin, kMax, -kMax, 1.0, -1.0, 0.5, 2.0, 1e300, -1e300,
                                        1e22, 3.141592653589793, 1.5707963267948966};
  std::mt19937_64 random(20261207);
  for (const Function& f : Functions()) {
    double worst = 0, worstX = 0, worstY = 0;
    long count = 0;
    auto check = [&](double x, double y) {
      const double error = UlpError(f, x, y, f.ours(x, y));
      ++count;
      if (!(error <= worst)) worst = error, worstX = x, worstY = y;
    };
    const bool binary = f.y.first != f.y.second;
    for (double x : specials)
      for (double y : binary ? specials : std::vector<double>{0.0}) check(x, y);
    for (const auto& [lo, hi] : f.x) {
      std::uniform_real_distribution<double> xs(lo, hi), ys(f.y.first, f.y.second);
      // Half uniform in the range, half with uniformly spread exponents.
      std::uniform_real_distribution<double> logs(std::log2(std::max(std::fabs(lo), 1e-300)),
                                                  std::log2(std::max(std::fabs(hi), 1e-300)));
      for (int i = 0; i < kSamplesPerRange; ++i) {
        const double y = binary ? ys(random) : 0;
        check(xs(random), y);
        double spread = std::exp2(logs(random));
        if (lo < 0 && (random() & 1)) spread = -spread;
        if (spread >= lo && spread <= hi) check(spread, binary ? ys(random) : 0);
      }
    }
    std::printf("%-5s %8ld arguments, largest error %.3f ulp (at x = %.17g, y = %.17g)\n", f.name,
                count, worst, worstX, worstY);
    EXPECT_LT(worst, 1.0) << f.name << " at x = " << worstX << ", y = " << worstY;
  }
}

}  // namespace
