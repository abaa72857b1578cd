#include "sheet/decimal_text.h"

#include <charconv>

namespace torven {

bool ReadDecimal(std::string_view text, double& value) {
  const auto [end, ec] = std::from_chars(text.data(), text.data() + text.size(), value);
  return ec == std::errc() && end == text.data() + text.size();
}

}  // namespace torven
