#include "bench/floors.h"

#include <cmath>

namespace floors {
namespace {

enum Kind { kSin, kCos, kTan, kAcos, kExp, kPow526, kLog, kSqrt };

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
  delta = 0.409 * std::sin(x);
  Add(c, kTan, phi);
  Add(c, kTan, delta);
  const double a = (-std::tan(phi)) * std::tan(delta);
  Add(c, kAcos, a);
  return std::acos(a);
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

}  // namespace

Calls DayLength(double j, double latitude) {
  Calls c;
  double phi, delta;
  Geometry(c, j, latitude, phi, delta);
  return c;
}

Calls Radiation(double j, double latitude) {
  Calls c;
  double phi, delta;
  const double ws = Geometry(c, j, latitude, phi, delta);
  RadiationCalls(c, j, phi, delta, ws);
  return c;
}

Calls GlobalRadiation(double j, double latitude) { return Radiation(j, latitude); }

Calls Saturation(double t) {
  Calls c;
  Add(c, kExp, SatArg(t));
  return c;
}

Calls Wind(double z) {
  Calls c;
  Add(c, kLog, 67.8 * z - 5.42);
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
  return c;
}

double Make(const Calls& c) {
  double sum = 0;
  for (int i = 0; i < c.n; ++i) {
    const double x = c.arg[i];
    switch (c.kind[i]) {
      case kSin: sum += std::sin(x); break;
      case kCos: sum += std::cos(x); break;
      case kTan: sum += std::tan(x); break;
      case kAcos: sum += std::acos(x); break;
      case kExp: sum += std::exp(x); break;
      case kPow526: sum += std::pow(x, 5.26); break;
      case kLog: sum += std::log(x); break;
      default: sum += std::sqrt(x); break;
    }
  }
  return sum;
}

}  // namespace floors
