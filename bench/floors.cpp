#include "bench/floors.h"

#include <cmath>

#include "core/math.h"

namespace floors {
namespace {

enum Kind { kSin, kCos, kTan, kAcos, kExp, kPow526, kLog, kSqrt };  // for reading a Calls

constexpr double kPi = 3.141592653589793;
constexpr double kDegToRad = kPi / 180;
constexpr double kDayRate = (2 * kPi) / 365;

void Add(Calls& c, int kind, double arg) {
  c.kind[c.n] = kind;
  c.arg[c.n++] = arg;
}

// sin, tan, tan, acos: the sunset hour angle.
double Geometry(Calls& c, double j, double latitude, double& phi, double& delta) {
  phi = latitude * kDegToRad;
  const double x = kDayRate * std::trunc(j) - 1.39;
  Add(c, kSin, x);
  delta = 0.409 * core::math::sin(x);
  Add(c, kTan, phi);
  Add(c, kTan, delta);
  const double a = (-core::math::tan(phi)) * core::math::tan(delta);
  Add(c, kAcos, a);
  return core::math::acos(a);
}

void RadiationCalls(Calls& c, double j, double phi, double delta, double ws) {
  Add(c, kCos, kDayRate * std::trunc(j));
  Add(c, kSin, phi);
  Add(c, kSin, delta);
  Add(c, kCos, phi);
  Add(c, kCos, delta);
  Add(c, kSin, ws);
}

double SatArg(double t) { return (t * 17.27) / (t + 237.3); }

// Straight-line call sequences, one per shape of Calls built below.
double Geometry4(const double* a) {
  return core::math::sin(a[0]) + core::math::tan(a[1]) + core::math::tan(a[2]) + core::math::acos(a[3]);
}
double Radiation10(const double* a) {
  return Geometry4(a) + core::math::cos(a[4]) + core::math::sin(a[5]) + core::math::sin(a[6]) + core::math::cos(a[7]) +
         core::math::cos(a[8]) + core::math::sin(a[9]);
}
double Exp1(const double* a) { return core::math::exp(a[0]); }
double Exp2(const double* a) { return core::math::exp(a[0]) + core::math::exp(a[1]); }
double Log1(const double* a) { return core::math::log(a[0]); }
double Etp(const double* a) {
  return core::math::pow(a[0], 5.26) + core::math::exp(a[1]) + core::math::exp(a[2]) + core::math::exp(a[3]) + Radiation10(a + 4) +
         core::math::sqrt(a[14]);
}
double EtpWithWind(const double* a) { return Etp(a) + core::math::log(a[15]); }

}  // namespace

Calls DayLength(double j, double latitude) {
  Calls c;
  double phi, delta;
  Geometry(c, j, latitude, phi, delta);
  c.make = Geometry4;
  return c;
}

Calls Radiation(double j, double latitude) {
  Calls c;
  double phi, delta;
  const double ws = Geometry(c, j, latitude, phi, delta);
  RadiationCalls(c, j, phi, delta, ws);
  c.make = Radiation10;
  return c;
}

Calls GlobalRadiation(double j, double latitude) { return Radiation(j, latitude); }

Calls Saturation(double t) {
  Calls c;
  Add(c, kExp, SatArg(t));
  c.make = Exp1;
  return c;
}

Calls Saturation2(double tMax, double tMin) {
  Calls c;
  Add(c, kExp, SatArg(tMin));
  Add(c, kExp, SatArg(tMax));
  c.make = Exp2;
  return c;
}

Calls Wind(double z) {
  Calls c;
  if (z > 0.09469026548672567) Add(c, kLog, 67.8 * z - 5.42);
  c.make = c.n > 0 ? Log1 : nullptr;
  return c;
}

Calls Evapotranspiration(double j, double tMax, double tMin, double pva, double windHeight,
                         double elevation, double latitude) {
  Calls c;
  Add(c, kPow526, (293 - (0.0065 * elevation)) / 293);
  Add(c, kExp, SatArg(tMax));
  Add(c, kExp, SatArg(tMin));
  Add(c, kExp, SatArg((tMax + tMin) / 2));
  double phi, delta;
  const double ws = Geometry(c, j, latitude, phi, delta);
  RadiationCalls(c, j, phi, delta, ws);
  Add(c, kSqrt, pva);
  if (windHeight > 0.09469026548672567) Add(c, kLog, 67.8 * windHeight - 5.42);
  c.make = c.n == 16 ? EtpWithWind : Etp;
  return c;
}

}  // namespace floors
