#include "sheet/value.h"

#include <algorithm>
#include <charconv>
#include <cmath>
#include <string_view>

#include "sheet/encoding.h"

namespace torven {
namespace {

// The shortest digits that read back to `number` (finite, not 0), written
// positionally (123456.789, 0.0001, 1000000) from 1e-6 up to below 1e21, and
// in scientific form outside that (1e+21, 1e-07), as JavaScript writes
// numbers: the spreadsheets show such a number positionally too.
std::string Shortest(double number) {
  char buffer[64];
  const double magnitude = std::fabs(number);
  if (!(magnitude >= 1e-6 && magnitude < 1e21)) {
    const auto [end, ec] = std::to_chars(buffer, buffer + sizeof buffer, number);
    return ec == std::errc() ? std::string(buffer, end) : "#NUM!";
  }
  // d.ddde±x: the digits without their point, and the exponent.
  const auto [end, ec] = std::to_chars(buffer, buffer + sizeof buffer, magnitude, std::chars_format::scientific);
  if (ec != std::errc()) return "#NUM!";
  const std::string_view text(buffer, static_cast<std::size_t>(end - buffer));
  const std::size_t e = text.find('e');
  std::string digits(text.substr(0, e));
  if (digits.size() > 1) digits.erase(1, 1);  // the point after the first digit
  int exponent = 0;  // to_chars writes e+dd or e-dd
  for (std::size_t i = e + 2; i < text.size(); ++i) exponent = exponent * 10 + (text[i] - '0');
  if (text[e + 1] == '-') exponent = -exponent;
  const int count = static_cast<int>(digits.size());
  std::string out = number < 0 ? "-" : "";
  if (exponent < 0) {
    out += "0.";
    out.append(static_cast<std::size_t>(-exponent - 1), '0');
    out += digits;
  } else if (count - 1 <= exponent) {
    out += digits;
    out.append(static_cast<std::size_t>(exponent - (count - 1)), '0');
  } else {
    const auto point = static_cast<std::size_t>(exponent + 1);
    out += digits.substr(0, point) + "." + digits.substr(point);
  }
  return out;
}

}  // namespace

std::string Show(const Value& value, int decimals, bool decimalComma, Language language) {
  switch (value.type) {
    case xl::kNum: {
      // A cell holds no number that is not finite, nor a negative zero.
      if (!std::isfinite(value.number)) return ErrorLiteral(xl::kErrNum, language);
      const double number = value.number == 0 ? 0.0 : value.number;
      std::string shown;
      if (decimals >= 0) {
        char buffer[400];
        const auto [end, ec] = std::to_chars(buffer, buffer + sizeof buffer, number, std::chars_format::fixed, decimals);
        if (ec != std::errc()) return "#NUM!";
        shown.assign(buffer, end);
      } else {
        shown = number == 0 ? "0" : Shortest(number);
      }
      if (decimalComma) std::replace(shown.begin(), shown.end(), '.', ',');
      return shown;
    }
    case xl::kErr: return ErrorLiteral(value.code, language);
    case xl::kBool: return TruthName(value.code != 0, language);
    case xl::kStr: return ToUtf8(value.text);
    default: return "";
  }
}

}  // namespace torven
