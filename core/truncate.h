// Truncation of a double toward zero through a 32-bit signed integer.
#pragma once

#include <cstdint>

namespace core {

// Converts x to a 32-bit signed integer by truncation toward zero.
//   x    any double
//   out  the truncated value when the conversion is defined
// Returns false, leaving out alone, when x is NaN or its truncation lies
// outside the 32-bit signed range (where the conversion is undefined).
inline bool TruncateInt32(double x, std::int32_t& out) {
  // The comparisons hold only for numbers whose truncation fits.
  if (!(x > -2147483649.0 && x < 2147483648.0)) return false;
  out = static_cast<std::int32_t>(x);
  return true;
}

}  // namespace core
