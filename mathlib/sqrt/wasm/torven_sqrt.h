/* The square root on WebAssembly: the f64.sqrt instruction, correctly
   rounded (IEEE 754), which the compiler's builtin becomes. */
#ifndef TORVEN_SQRT_H
#define TORVEN_SQRT_H

static inline double torven_sqrt(double x) { return __builtin_sqrt(x); }

#endif
