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
