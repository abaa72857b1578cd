// Calendar, solar geometry and radiation after FAO-56, chapter 3.
//
// Notation (FAO-56 symbol <- variable):
//   J      dayOfYear / j     day of the year, 1..365 or 366
//   phi    phi               latitude, rad
//   delta  delta             solar declination, rad            (eq. 24)
//   omegas ws                sunset hour angle, rad            (eq. 25)
//   dr     dr                inverse relative distance Earth-Sun (eq. 23)
//   N      n                 daylight hours, h                 (eq. 34)
//   Ra     ra                extraterrestrial radiation, MJ m-2 d-1 (eq. 21)
//   n      sunshine          actual sunshine duration, h (or % of N)
//   as,bs  as, bs            Angstrom regression constants     (eq. 35)
//   Rs     rs                solar (global) radiation, MJ m-2 d-1
#include <cstdint>
#include <limits>

#include "core/fao56_constants.h"
#include "core/math.h"
#include "core/torven_core.h"
#include "core/truncate.h"

namespace math = core::math;

namespace {

using namespace core::fao56;

constexpr double kNaN = std::numeric_limits<double>::quiet_NaN();
constexpr double kInvalidDate = std::numeric_limits<double>::infinity();

// Geometry of the sun on one day at one latitude: what N and Ra share.
struct SunDay {
  double j;      // day of year, truncated
  double phi;    // latitude, rad
  double delta;  // declination, rad
  double ws;     // sunset hour angle, rad
};

// Solar geometry of a whole day.
//   j          day of year, already truncated
//   latitude   degrees, negative south
// Where the sun neither sets nor rises, acos yields NaN and so does ws.
SunDay SunGeometry(double j, double latitude) {
  SunDay s;
  s.j = j;
  // Latitude in radians.
  s.phi = latitude * kDegToRad;
  // Solar declination (eq. 24).
  s.delta = kDeclinationAmplitude * math::sin(kDayRate * j - kDeclinationPhase);
  // Sunset hour angle (eq. 25).
  s.ws = math::acos((-math::tan(s.phi)) * math::tan(s.delta));
  return s;
}

// Daylight hours N (eq. 34), multiplied first and divided second.
double DayLength(const SunDay& s) { return (s.ws * kHoursPerDay) / kPi; }

// Extraterrestrial radiation Ra (eq. 21), MJ m-2 d-1.
double Extraterrestrial(const SunDay& s) {
  // Inverse relative distance Earth-Sun (eq. 23).
  const double dr = 1 + kEccentricity * math::cos(kDayRate * s.j);
  // Bracketed sum of eq. 21.
  const double sum = (s.ws * math::sin(s.phi)) * math::sin(s.delta) +
                     (math::cos(s.phi) * math::cos(s.delta)) * math::sin(s.ws);
  // Ra, multiplied left to right.
  return (kRadiationFactor * dr) * sum;
}

// Gregorian rule on the shifted year.  The year is a whole number, so the
// remainders of fmod(year, 100), fmod(year, 400) and fmod(year, 4) are
// exactly those of integer division: no floating-point remainder is needed.
bool IsLeapYear(std::int64_t year) {
  if (year % 100 == 0) return year % 400 == 0;
  return year % 4 == 0;
}

// Truncates a day of year; false when the truncation is not defined.
bool TruncateDay(double dayOfYear, double& j) {
  std::int32_t whole;
  if (!core::TruncateInt32(dayOfYear, whole)) return false;
  j = whole;
  return true;
}

}  // namespace

/*
 * JDIA: day of year of a calendar date (FAO-56 Annex 2 integer formula).
 *   year   0..9999 usual; 0..1899 stand for 1900..3799
 *   month  1..12
 *   day    1..31; 0 and below count back from the first of the month
 * Returns the day of year as a double, +inf when the day lies beyond the end
 * of its month or the month is outside 1..12, NaN when an argument is NaN or
 * its truncation does not fit a 32-bit integer.  All three are truncated.
 */
double TORVEN_CALL JDIA(double year, double month, double day) {
  std::int32_t y, m, d;
  if (!core::TruncateInt32(year, y) || !core::TruncateInt32(month, m) ||
      !core::TruncateInt32(day, d))
    return kNaN;
  // Years 0..1899 are shifted by 1900 (and so is every year below 1900).
  std::int64_t shifted = y;
  if (shifted < kBaseYear) shifted = shifted + kBaseYearOffset;
  const bool leap = IsLeapYear(shifted);
  // A month outside the table has no length: treat it as an invalid date.
  if (m < 1 || m > 12) return kInvalidDate;
  int limit = kMonthLength[m - 1];
  if (leap && m == 2) limit = kLeapFebruary;
  if (d > limit) return kInvalidDate;
  // t = int(275 M / 9 - 30 + D), in doubles: multiply, divide, subtract, add.
  const double dm = m;
  const double dd = d;
  const double t = math::trunc((kMonthFactor * dm) / kMonthDivisor - kMonthOffset + dd);
  double j = t - kDayOffset;
  if (dm < kBeforeMarch) j = j + 2;
  if (leap && m > 2) j = j + 1;
  return j;
}

/*
 * SOLF56: solar geometry of a day.
 *   dayOfYear  1..366, truncated
 *   latitude   degrees, negative south
 *   mode       0: the truncated day; 2: day length N, h (eq. 34);
 *              3: extraterrestrial radiation Ra, MJ m-2 d-1 (eq. 21)
 * Returns -999 for any other mode, whatever the other arguments; NaN for
 * polar day or night (acos out of range) or an untruncatable day.
 */
double TORVEN_CALL SOLF56(double dayOfYear, double latitude, int mode) {
  if (mode != core::kModeDayOfYear && mode != core::kModeDayLength &&
      mode != core::kModeExtraterrestrial)
    return core::kUnsupportedMode;
  double j;
  if (!TruncateDay(dayOfYear, j)) return kNaN;
  if (mode == core::kModeDayOfYear) return j;
  const SunDay s = SunGeometry(j, latitude);
  if (mode == core::kModeDayLength) return DayLength(s);
  return Extraterrestrial(s);
}

/* DDIAF56: day length N in hours, SOLF56(day, latitude, 2). */
double TORVEN_CALL DDIAF56(double dayOfYear, double latitude) {
  return SOLF56(dayOfYear, latitude, core::kModeDayLength);
}

/* RADAF56: extraterrestrial radiation Ra, SOLF56(day, latitude, 3). */
double TORVEN_CALL RADAF56(double dayOfYear, double latitude) {
  return SOLF56(dayOfYear, latitude, core::kModeExtraterrestrial);
}

/*
 * RADF56: global radiation by the Angstrom formula (eq. 35).
 *   dayOfYear  1..366, truncated
 *   sunshine   n: hours (mode 0) or percent of N (mode 1)
 *   as, bs     Angstrom intercept and slope (FAO-56 default 0.25, 0.50)
 *   latitude   degrees, negative south
 *   mode       0 or 1; any other gives -999
 * Returns Rs in MJ m-2 d-1.  A day length of 0 is still used as a divisor.
 */
double TORVEN_CALL RADF56(double dayOfYear, double sunshine, double as, double bs,
                          double latitude, int mode) {
  if (mode != core::kModeSunshineHours && mode != core::kModeSunshinePercent)
    return core::kUnsupportedMode;
  double j;
  if (!TruncateDay(dayOfYear, j)) return kNaN;
  // One geometry serves Ra and N alike.
  const SunDay s = SunGeometry(j, latitude);
  const double ra = Extraterrestrial(s);
  if (mode == core::kModeSunshineHours)
    return (as + (bs * sunshine) / DayLength(s)) * ra;  // eq. 35, n/N
  return (as + (bs * sunshine) / kPercent) * ra;         // eq. 35, n/N in %
}

/* RADF56A: RADF56 with sunshine in hours (mode 0). */
double TORVEN_CALL RADF56A(double dayOfYear, double sunshineHours, double as, double bs,
                           double latitude) {
  return RADF56(dayOfYear, sunshineHours, as, bs, latitude, core::kModeSunshineHours);
}

/* RADF56P: RADF56 with sunshine in percent of the day length (mode 1). */
double TORVEN_CALL RADF56P(double dayOfYear, double sunshinePercent, double as, double bs,
                           double latitude) {
  return RADF56(dayOfYear, sunshinePercent, as, bs, latitude, core::kModeSunshinePercent);
}
