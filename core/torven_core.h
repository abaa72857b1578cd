// The FAO-56 computation core: the numeric functions that the add-in exports.
//
// Every function is pure: it keeps no state, checks no argument and reports no
// error other than by its value (+inf for a day beyond the end of its month,
// -999 for an unsupported mode selector, NaN where the arithmetic gives none).
// Units: temperatures in degC, vapour pressures in kPa, relative humidity in
// percent, radiation in MJ m-2 d-1, wind in m/s, heights in m, latitude in
// decimal degrees (negative south), evapotranspiration in mm/d.
//
// The functions have C++ linkage at global scope, so that their decorated
// names encode only name and signature; SUMAVOQ alone has C linkage.
#pragma once

#include "platform/export.h"

// Calendar, solar geometry and radiation (FAO-56 chapter 3).
TORVEN_API double TORVEN_CALL JDIA(double year, double month, double day);
TORVEN_API double TORVEN_CALL SOLF56(double dayOfYear, double latitude, int mode);
TORVEN_API double TORVEN_CALL DDIAF56(double dayOfYear, double latitude);
TORVEN_API double TORVEN_CALL RADAF56(double dayOfYear, double latitude);
TORVEN_API double TORVEN_CALL RADF56(double dayOfYear, double sunshine, double as,
                                     double bs, double latitude, int mode);
TORVEN_API double TORVEN_CALL RADF56A(double dayOfYear, double sunshineHours, double as,
                                      double bs, double latitude);
TORVEN_API double TORVEN_CALL RADF56P(double dayOfYear, double sunshinePercent, double as,
                                      double bs, double latitude);

// Vapour pressure, wind and reference evapotranspiration (FAO-56 chapters 3, 4).
TORVEN_API double TORVEN_CALL PVSF56(double t);
TORVEN_API double TORVEN_CALL PVTRF56(double tDew);
TORVEN_API double TORVEN_CALL PVHRF56(double tMax, double tMin, double rhMax, double rhMin);
TORVEN_API double TORVEN_CALL PVHM(double tMax, double tMin, double rhMean);
TORVEN_API double TORVEN_CALL UUF56(double u, double z);
TORVEN_API double TORVEN_CALL ETPF56(double dayOfYear, double rad, double tMax, double tMin,
                                     double dtp, double pva, double wind, double windHeight,
                                     double elevation, double latitude);

extern "C" TORVEN_API double TORVEN_CALL SUMAVOQ(double a, double b);

// Mode selectors of SOLF56 and RADF56, and their unsupported-mode result.
namespace core {
inline constexpr int kModeDayOfYear = 0;
inline constexpr int kModeDayLength = 2;
inline constexpr int kModeExtraterrestrial = 3;
inline constexpr int kModeSunshineHours = 0;
inline constexpr int kModeSunshinePercent = 1;
inline constexpr double kUnsupportedMode = -999.0;
}  // namespace core
