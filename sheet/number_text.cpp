#include "sheet/number_text.h"

#include <cmath>
#include <cstring>

#include "sheet/dates.h"
#include "sheet/decimal_text.h"
#include "sheet/spaces.h"

namespace torven {
namespace {

bool IsDigit(char c) { return c >= '0' && c <= '9'; }

// The end of a run of digits at `at`.
std::size_t SkipDigits(std::string_view s, std::size_t at) {
  while (at < s.size() && IsDigit(s[at])) ++at;
  return at;
}

// A number of at most 15 digits whose power of ten is at most 22 either
// way (12.5, -0.0864, 1E3): its digits as an integer and that power are
// exact doubles, so one multiplication or division rounds it correctly
// (Clinger's fast path), as the full reading would.  `s` is well formed.
bool FewDigits(std::string_view s, char mark, double& number) {
  constexpr double kPowers[23] = {1e0,  1e1,  1e2,  1e3,  1e4,  1e5,  1e6,  1e7,  1e8,  1e9,  1e10, 1e11,
                                  1e12, 1e13, 1e14, 1e15, 1e16, 1e17, 1e18, 1e19, 1e20, 1e21, 1e22};
  std::size_t at = 0;
  const bool negative = s[0] == '-';
  if (s[0] == '-' || s[0] == '+') ++at;
  long long digits = 0;
  int count = 0, power = 0;
  bool decimals = false;
  for (; at < s.size() && s[at] != 'e' && s[at] != 'E'; ++at) {
    if (s[at] == mark) {
      decimals = true;
      continue;
    }
    if (++count > 15) return false;
    digits = digits * 10 + (s[at] - '0');
    power -= decimals ? 1 : 0;
  }
  if (at < s.size()) {  // the exponent
    const std::size_t from = at + 1 + (s[at + 1] == '-' || s[at + 1] == '+' ? 1 : 0);
    if (s.size() - from > 3) return false;
    int exponent = 0;
    for (std::size_t i = from; i < s.size(); ++i) exponent = exponent * 10 + (s[i] - '0');
    power += s[at + 1] == '-' ? -exponent : exponent;
  }
  if (power < -22 || power > 22) return false;
  const auto whole = static_cast<double>(digits);
  const double value = power >= 0 ? whole * kPowers[power] : whole / kPowers[-power];
  number = negative ? -value : value;
  return true;
}

// [sign] digits [mark digits] [e [sign] digits], the whole of `s`, read as a
// double; `mark` is the decimal mark.  No "nan", "inf" or hexadecimal: the
// first character after the sign must be a digit or the mark.
bool PlainNumber(std::string_view s, char mark, double& number) {
  char buffer[512];
  if (s.empty() || s.size() >= sizeof buffer) return false;
  std::size_t at = s[0] == '-' || s[0] == '+' ? 1 : 0;
  const std::size_t digits = at;
  at = SkipDigits(s, at);
  bool any = at > digits;
  std::size_t markAt = std::string_view::npos;
  if (at < s.size() && s[at] == mark) {
    markAt = at;
    const std::size_t after = SkipDigits(s, at + 1);
    any = any || after > at + 1;
    at = after;
  }
  if (!any) return false;
  if (at < s.size() && (s[at] == 'e' || s[at] == 'E')) {
    std::size_t e = at + 1;
    if (e < s.size() && (s[e] == '-' || s[e] == '+')) ++e;
    const std::size_t end = SkipDigits(s, e);
    if (end == e) return false;
    at = end;
  }
  if (at != s.size()) return false;
  if (FewDigits(s, mark, number)) return true;
  // Read with no '+' and '.' as the mark.
  const std::size_t skip = s[0] == '+' ? 1 : 0;
  const std::size_t n = s.size() - skip;
  std::memcpy(buffer, s.data() + skip, n);
  if (markAt != std::string_view::npos) buffer[markAt - skip] = '.';
  return ReadDecimal(std::string_view(buffer, n), number);
}

}  // namespace

bool NumberOfCell(std::string_view cell, bool decimalComma, double& number) {
  // With a decimal comma, a lone ',' (no '.') is the mark.
  const std::size_t comma = decimalComma ? cell.find(',') : std::string_view::npos;
  const bool commaMark = comma != std::string_view::npos && cell.find('.') == std::string_view::npos &&
                         cell.find(',', comma + 1) == std::string_view::npos;
  return PlainNumber(cell, commaMark ? ',' : '.', number);
}

bool NumberOfText(std::string_view text, bool spanish, double& number, int dayFirst) {
  text = TrimSpaces(text);
  const bool percent = !text.empty() && text.back() == '%';
  if (PlainNumber(TrimSpaces(percent ? text.substr(0, text.size() - 1) : text), spanish ? ',' : '.', number)) {
    if (percent) number /= 100;
    return std::isfinite(number);
  }
  return SerialOfDateText(text, spanish, number, dayFirst) || FractionOfTimeText(text, number);
}

}  // namespace torven
