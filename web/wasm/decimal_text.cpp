// The module's reading of a decimal text: strtod (correctly rounded in the
// WebAssembly C library), with std::from_chars's range rule.
#include "sheet/decimal_text.h"

#include <cmath>
#include <cstdlib>
#include <cstring>

namespace torven {

bool ReadDecimal(std::string_view text, double& value) {
  char buffer[512];
  if (text.size() >= sizeof buffer) return false;
  std::memcpy(buffer, text.data(), text.size());
  buffer[text.size()] = '\0';
  char* end = nullptr;
  const double x = std::strtod(buffer, &end);
  if (end != buffer + text.size() || std::isinf(x)) return false;
  // A number that is not 0 and rounds to 0 is out of range.
  if (x == 0) {
    const std::size_t exponent = text.find_first_of("eE");
    if (text.substr(0, exponent).find_first_of("123456789") != std::string_view::npos) return false;
  }
  value = x;
  return true;
}

}  // namespace torven
