// A decimal number's text read as the nearest double.  The one seam between
// targets' C++ libraries: natively std::from_chars reads it, in the web
// calculator's module (whose library has no from_chars for doubles) the C
// library's strtod (web/wasm/decimal_text.cpp); both round correctly, so
// every target reads the same bits.
#pragma once

#include <string_view>

namespace torven {

// `text` is [-]digits[.digits][(e|E)[+|-]digits] with at least one digit
// before the exponent and '.' as the mark, under 512 characters (the callers
// check it).  False when its value is out of the range of a double: it
// rounds to infinity, or a number that is not 0 rounds to 0.
bool ReadDecimal(std::string_view text, double& value);

}  // namespace torven
