#include "sheet/dates.h"

#include <cmath>

namespace torven {
namespace {

constexpr double kLastSerial = 2958465;  // 31 December 9999
constexpr long kFictitiousLeapDay = 60;  // 29 February 1900

bool IsLeap(int year) { return (year % 4 == 0 && year % 100 != 0) || year % 400 == 0; }

// Days in a month of the Gregorian calendar.
int DaysIn(int year, int month) {
  constexpr int kDays[12] = {31, 28, 31, 30, 31, 30, 31, 31, 30, 31, 30, 31};
  return month == 2 && IsLeap(year) ? 29 : kDays[month - 1];
}

// Days in a month as the 1900 system counts them: February 1900 has 29.
int DaysIn1900System(int year, int month) { return year == 1900 && month == 2 ? 29 : DaysIn(year, month); }

// The Gregorian date `days` days after 31 December 1899 (days >= 1), by
// counting whole years, then whole months.
CivilDate AfterLastDayOf1899(long days) {
  CivilDate d{1900, 1, 1};
  for (long inYear; days > (inYear = IsLeap(d.year) ? 366 : 365); ++d.year) days -= inYear;
  for (long inMonth; days > (inMonth = DaysIn(d.year, d.month)); ++d.month) days -= inMonth;
  d.day = static_cast<int>(days);
  return d;
}

// Reads 1 to `most` digits at `at`; false when none.
bool Digits(std::string_view text, std::size_t& at, int most, int& value) {
  value = 0;
  int n = 0;
  while (at < text.size() && n < most && text[at] >= '0' && text[at] <= '9') value = value * 10 + (text[at++] - '0'), ++n;
  return n > 0;
}

}  // namespace

bool DateOfSerial(double serial, CivilDate& date) {
  if (!(serial >= 0 && serial < kLastSerial + 1)) return false;
  const long n = static_cast<long>(std::floor(serial));
  if (n == 0) date = {1900, 1, 0};
  else if (n == kFictitiousLeapDay) date = {1900, 2, 29};
  else date = AfterLastDayOf1899(n < kFictitiousLeapDay ? n : n - 1);
  return true;
}

bool DateOfText(std::string_view text, bool dayFirst, CivilDate& date) {
  while (!text.empty() && text.front() == ' ') text.remove_prefix(1);
  while (!text.empty() && text.back() == ' ') text.remove_suffix(1);
  std::size_t at = 0;
  int a = 0, b = 0, c = 0;
  const char separator = text.find('-') != std::string_view::npos ? '-' : '/';
  if (separator == '/' && !dayFirst) return false;
  // aaaa-mm-dd or dd/mm/aaaa; the year's range asks for its four digits.
  const int firstDigits = separator == '-' ? 4 : 2, lastDigits = separator == '-' ? 2 : 4;
  if (!Digits(text, at, firstDigits, a) || at == text.size() || text[at++] != separator ||
      !Digits(text, at, 2, b) || at == text.size() || text[at++] != separator ||
      !Digits(text, at, lastDigits, c) || at != text.size())
    return false;
  date = separator == '-' ? CivilDate{a, b, c} : CivilDate{c, b, a};
  return date.year >= 1900 && date.year <= 9999 && date.month >= 1 && date.month <= 12 && date.day >= 1 &&
         date.day <= DaysIn1900System(date.year, date.month);
}

}  // namespace torven
