/* The square root on x86 targets: the SSE2 instruction, correctly rounded
   whatever the x87 unit's settings.  The build puts this folder, or its
   WebAssembly sibling, on the include path: one seam per kind of target,
   for the core and the mathematics library alike (C and C++). */
#ifndef TORVEN_SQRT_H
#define TORVEN_SQRT_H

#include <emmintrin.h>

static inline double torven_sqrt(double x) {
  return _mm_cvtsd_f64(_mm_sqrt_sd(_mm_setzero_pd(), _mm_set_sd(x)));
}

#endif
