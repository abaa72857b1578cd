#include "sheet/value.h"

#include <algorithm>
#include <charconv>
#include <cmath>

#include "sheet/encoding.h"

namespace torven {

std::string Show(const Value& value, int decimals, bool decimalComma, Language language) {
  switch (value.type) {
    case xl::kNum: {
      // A cell holds no number that is not finite, nor a negative zero.
      if (!std::isfinite(value.number)) return ErrorLiteral(xl::kErrNum, language);
      const double number = value.number == 0 ? 0.0 : value.number;
      char buffer[400];
      const auto [end, ec] =
          decimals >= 0 ? std::to_chars(buffer, buffer + sizeof buffer, number, std::chars_format::fixed, decimals)
                        : std::to_chars(buffer, buffer + sizeof buffer, number);
      if (ec != std::errc()) return "#NUM!";
      if (decimalComma) std::replace(buffer, const_cast<char*>(end), '.', ',');
      return std::string(buffer, end);
    }
    case xl::kErr: return ErrorLiteral(value.code, language);
    case xl::kBool: return TruthName(value.code != 0, language);
    case xl::kStr: return ToUtf8(value.text);
    default: return "";
  }
}

}  // namespace torven
