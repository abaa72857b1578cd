// Vapour pressure, wind and Penman-Monteith reference evapotranspiration
// after FAO-56, chapters 3 and 4.
//
// Notation (FAO-56 symbol <- variable):
//   e°(T)  PVSF56(T)   saturation vapour pressure at T, kPa       (eq. 11)
//   ea     pva         actual vapour pressure, kPa                (eqs. 14, 17, 19)
//   es     es          mean saturation vapour pressure, kPa       (eq. 12)
//   Delta  slope       slope of the saturation curve, kPa/degC    (eq. 13)
//   P      p           atmospheric pressure, kPa                  (eq. 7)
//   gamma  gamma       psychrometric constant, kPa/degC           (eq. 8)
//   Rso    rso         clear-sky radiation                        (eq. 37)
//   Rns    rns         net shortwave radiation                    (eq. 38)
//   Rnl    rnl         net longwave radiation                     (eq. 39)
//   Rn     rn          net radiation                              (eq. 40)
//   G      g           soil heat flux                             (eq. 43)
//   u2     u2          wind speed at 2 m, m/s                     (eq. 47)
//   ET0    et0         reference evapotranspiration, mm/d         (eq. 6)
#include <cstdint>
#include <limits>

#include "core/fao56_constants.h"
#include "core/math.h"
#include "core/torven_core.h"
#include "core/truncate.h"

namespace math = core::math;

namespace {

using namespace core::fao56;

// (t + 273.16)^4 by squaring twice.
double KelvinFourth(double t) {
  const double x = t + kKelvinOffset;
  const double s = x * x;
  return s * s;
}

}  // namespace

/*
 * PVSF56: saturation vapour pressure e°(T) (eq. 11).
 *   t  air temperature, degC
 * Returns kPa.  At t = -237.3 the exponent is -inf and the result 0.
 */
double TORVEN_CALL PVSF56(double t) {
  return kSatA * math::exp((t * kSatB) / (t + kSatC));  // eq. 11
}

/* PVTRF56: actual vapour pressure from the dew point, e°(Tdew) (eq. 14). */
double TORVEN_CALL PVTRF56(double tDew) { return PVSF56(tDew); }

/*
 * PVHRF56: actual vapour pressure from extreme temperatures and humidities
 * (eq. 17).  RHmax pairs with Tmin, RHmin with Tmax.
 *   tMax, tMin    degC;  rhMax, rhMin  percent
 */
double TORVEN_CALL PVHRF56(double tMax, double tMin, double rhMax, double rhMin) {
  const double a = (PVSF56(tMin) * rhMax) / kPercentHumidity;
  const double b = (PVSF56(tMax) * rhMin) / kPercentHumidity;
  return (a + b) / 2;  // eq. 17
}

/*
 * PVHM: actual vapour pressure from extreme temperatures and mean relative
 * humidity (eq. 19).
 *   tMax, tMin  degC;  rhMean  percent
 */
double TORVEN_CALL PVHM(double tMax, double tMin, double rhMean) {
  const double a = kHalfPercent / PVSF56(tMin);
  const double b = kHalfPercent / PVSF56(tMax);
  return rhMean / (a + b);  // eq. 19
}

/*
 * UUF56: wind speed at 2 m from a speed measured at height z (eq. 47).
 *   u  m/s, measured at z
 *   z  m; at or below 0.09469026548672567 the result is 0 (no positive log)
 * A NaN height fails the threshold test and yields NaN.
 */
double TORVEN_CALL UUF56(double u, double z) {
  if (z <= kWindThreshold) return 0;
  return (kWindLogFactor * u) / math::log((kWindLogScale * z) - kWindLogOffset);  // eq. 47
}

/*
 * ETPF56: FAO Penman-Monteith reference evapotranspiration (eq. 6).
 *   dayOfYear   1..366, truncated (NaN if the truncation is not defined)
 *   rad         Rs, global radiation, MJ m-2 d-1
 *   tMax, tMin  degC
 *   dtp         change of mean temperature to the next period, degC (0 daily)
 *   pva         ea, actual vapour pressure, kPa
 *   wind        m/s at height windHeight (m)
 *   elevation   m above sea level
 *   latitude    degrees, negative south
 * Returns mm/d, never negative; NaN flows through (negative ea, elevation
 * above ~45 km, polar day or night).
 */
double TORVEN_CALL ETPF56(double dayOfYear, double rad, double tMax, double tMin, double dtp,
                          double pva, double wind, double windHeight, double elevation,
                          double latitude) {
  // Day, truncated.
  std::int32_t whole;
  if (!core::TruncateInt32(dayOfYear, whole)) return std::numeric_limits<double>::quiet_NaN();
  const double j = whole;
  // Atmospheric pressure (eq. 7).
  const double p = kSeaLevelPressure *
                   math::pow((kStandardTemperature - (kLapseRate * elevation)) / kStandardTemperature,
                            kPressureExponent);
  // Psychrometric constant (eq. 8).
  const double gamma = (kPsychrometricFactor * p) / kLatentHeat;
  // Mean temperature (eq. 9).
  const double tMean = (tMax + tMin) / 2;
  // Mean saturation vapour pressure (eq. 12).
  const double es = (PVSF56(tMax) + PVSF56(tMin)) / 2;
  // Slope of the saturation curve (eq. 13).
  const double slope = (kSlopeFactor * PVSF56(tMean)) / ((tMean + kSatC) * (tMean + kSatC));
  // Vapour pressure deficit, clamped below at 0.
  double deficit = es - pva;
  if (deficit < 0) deficit = 0;
  // Extraterrestrial radiation (eq. 21).
  const double ra = RADAF56(j, latitude);
  // Clear-sky radiation (eq. 37).
  const double rso = (kClearSkyFactor + (kClearSkyElevation * elevation)) * ra;
  // Net shortwave radiation (eq. 38).
  const double rns = (1 - kAlbedo) * rad;
  // Mean of the fourth powers of the absolute extreme temperatures (eq. 39).
  const double t4 = (KelvinFourth(tMax) + KelvinFourth(tMin)) / 2;
  // Humidity factor (eq. 39).
  const double fh = kHumidityA - (kHumidityB * math::sqrt(pva));
  // Cloudiness factor (eq. 39); Rs/Rso is not limited.
  const double fc = ((kCloudA * rad) / rso) - kCloudB;
  // Net longwave radiation (eq. 39).
  const double rnl = ((kStefanBoltzmann * t4) * fh) * fc;
  // Net radiation (eq. 40), clamped below at 0.
  double rn = rns - rnl;
  if (rn < 0) rn = 0;
  // Soil heat flux (eq. 43), not limited.
  const double g = kSoilHeatFactor * dtp;
  // Wind speed at 2 m (eq. 47).
  const double u2 = UUF56(wind, windHeight);
  // Common denominator of eq. 6.
  const double denominator = slope + (gamma * (1 + (kWindResistance * u2)));
  // Radiation term of eq. 6.
  const double a = ((kRadiationTermFactor * (rn - g)) * slope) / denominator;
  // Aerodynamic term of eq. 6.
  const double b = ((((kAerodynamicFactor / (tMean + kAerodynamicKelvin)) * u2) * deficit) * gamma) /
                   denominator;
  // ET0, clamped below at 0.
  double et0 = a + b;
  if (et0 < 0) et0 = 0;
  return et0;
}

/* SUMAVOQ: the sum a + b. */
extern "C" double TORVEN_CALL SUMAVOQ(double a, double b) { return a + b; }
