// The mathematics library of the numeric core, the same on every target.
//
// sin, cos, tan, asin, acos, atan, exp, log and pow come from the portable
// library compiled into the add-in (mathlib/), never from the system's: so every target gives
// the same bits, and no host can change them by its x87 precision or rounding
// settings.  The square root is the processor's instruction, correctly
// rounded (torven_sqrt.h: SSE2 on x86, f64.sqrt on WebAssembly).  trunc is
// the library's too: an integer operation on the bits.
#pragma once

#include "torven_sqrt.h"

extern "C" {
double torven_m_sin(double);
double torven_m_cos(double);
double torven_m_tan(double);
double torven_m_asin(double);
double torven_m_acos(double);
double torven_m_atan(double);
double torven_m_exp(double);
double torven_m_log(double);
double torven_m_pow(double, double);
double torven_m_trunc(double);
}

namespace core::math {

inline double sin(double x) { return torven_m_sin(x); }
inline double cos(double x) { return torven_m_cos(x); }
inline double tan(double x) { return torven_m_tan(x); }
inline double asin(double x) { return torven_m_asin(x); }
inline double acos(double x) { return torven_m_acos(x); }
inline double atan(double x) { return torven_m_atan(x); }
inline double exp(double x) { return torven_m_exp(x); }
inline double log(double x) { return torven_m_log(x); }
inline double pow(double x, double y) { return torven_m_pow(x, y); }
inline double trunc(double x) { return torven_m_trunc(x); }
inline double sqrt(double x) { return torven_sqrt(x); }

}  // namespace core::math
