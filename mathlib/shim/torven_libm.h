/* Forced into every source file of the mathematics library (-include).
 *
 * The library is compiled into the add-in itself, so that sin, cos, tan, acos,
 * exp, log and pow give the same bits on every target whatever the host's
 * system library or FPU state.  Its external names are renamed here to a
 * private prefix, so that nothing clashes with the C runtime's functions of
 * the same name and nothing can be bound to another library's copy. */
#ifndef TORVEN_LIBM_H
#define TORVEN_LIBM_H

/* Double arithmetic in doubles only: SSE2 on x86 (with x87 evaluation,
   FLT_EVAL_METHOD 2, double_t would be long double and the host's precision
   control would leak in) or WebAssembly, whose arithmetic is IEEE 754. */
#if !defined(__FLT_EVAL_METHOD__) || __FLT_EVAL_METHOD__ != 0 || !(defined(__SSE2__) || defined(__wasm__))
#error "the mathematics library must be compiled for SSE2 arithmetic (-msse2 -mfpmath=sse) or WebAssembly"
#endif

/* No errno: the add-in reads none, and the results stay pure. */
#define WANT_ERRNO 0

/* The system's declarations first, under their own names; the library's
   fixed-width names as its own <sys/types.h> would give them. */
#include <math.h>
#include <stdint.h>
#undef HUGE
typedef int32_t __int32_t;
typedef uint32_t __uint32_t;
typedef int64_t __int64_t;
typedef uint64_t __uint64_t;

/* The functions the add-in calls. */
#define sin torven_m_sin
#define cos torven_m_cos
#define tan torven_m_tan
#define exp torven_m_exp
#define log torven_m_log
#define pow torven_m_pow
#define trunc torven_m_trunc
#define __ieee754_asin torven_m_asin
#define __ieee754_acos torven_m_acos
#define atan torven_m_atan

/* The helpers they call among themselves. */
#define floor torven_m_floor
#define scalbn torven_m_scalbn
#define __ieee754_sqrt torven_m_sqrt
#define __ieee754_rem_pio2 torven_m_rem_pio2
#define __kernel_rem_pio2 torven_m_kernel_rem_pio2
#define __kernel_sin torven_m_kernel_sin
#define __kernel_cos torven_m_kernel_cos
#define __kernel_tan torven_m_kernel_tan
#define __exp_data torven_m_exp_data
#define __log_data torven_m_log_data
#define __pow_log_data torven_m_pow_log_data
#define __math_oflow torven_m_math_oflow
#define __math_uflow torven_m_math_uflow
#define __math_may_uflow torven_m_math_may_uflow
#define __math_divzero torven_m_math_divzero
#define __math_invalid torven_m_math_invalid
#define __math_check_oflow torven_m_math_check_oflow
#define __math_check_uflow torven_m_math_check_uflow
#define __math_xflow torven_m_math_xflow

/* Declared before any use, so that no call is ever implicitly declared. */
double torven_m_floor(double);
double torven_m_scalbn(double, int);
double torven_m_trunc(double);

/* The square root is the target's instruction, correctly rounded. */
#include "torven_sqrt.h"
static inline double torven_m_sqrt(double x) { return torven_sqrt(x); }

#endif
