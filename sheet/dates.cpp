#include "sheet/dates.h"

#include <cmath>

#include "sheet/spaces.h"

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

// The Gregorian date `days` days after 31 December 1899 (days >= 1), by the
// civil calendar's 400-year eras counted from 1 March of year 0.
CivilDate AfterLastDayOf1899(long days) {
  const long z = days - 25568 + 719468;  // days since 0000-03-01 (1970-01-01 is day 719468)
  const long era = z / 146097;           // z > 0 for every serial of the 1900 system
  const long dayOfEra = z - era * 146097;
  const long yearOfEra = (dayOfEra - dayOfEra / 1460 + dayOfEra / 36524 - dayOfEra / 146096) / 365;
  const long dayOfYear = dayOfEra - (365 * yearOfEra + yearOfEra / 4 - yearOfEra / 100);  // from 1 March
  const long monthFromMarch = (5 * dayOfYear + 2) / 153;
  CivilDate d;
  d.day = static_cast<int>(dayOfYear - (153 * monthFromMarch + 2) / 5 + 1);
  d.month = static_cast<int>(monthFromMarch < 10 ? monthFromMarch + 3 : monthFromMarch - 9);
  d.year = static_cast<int>(yearOfEra + era * 400 + (d.month <= 2 ? 1 : 0));
  return d;
}

// Reads 1 to `most` digits at `at`; false when none.
bool Digits(std::string_view text, std::size_t& at, int most, int& value) {
  value = 0;
  int n = 0;
  while (at < text.size() && n < most && text[at] >= '0' && text[at] <= '9') value = value * 10 + (text[at++] - '0'), ++n;
  return n > 0;
}

bool IsLetter(char c) { return (c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z'); }

// The month of a three-letter abbreviation (any case), English or, when
// `spanish`, Spanish; 0 when none.
int MonthOfAbbreviation(std::string_view name, bool spanish) {
  constexpr const char* kEnglish[12] = {"jan", "feb", "mar", "apr", "may", "jun",
                                        "jul", "aug", "sep", "oct", "nov", "dec"};
  constexpr const char* kSpanish[12] = {"ene", "feb", "mar", "abr", "may", "jun",
                                        "jul", "ago", "sep", "oct", "nov", "dic"};
  if (name.size() != 3) return 0;
  char lower[3];
  for (int i = 0; i < 3; ++i) lower[i] = static_cast<char>(name[static_cast<std::size_t>(i)] | 0x20);
  for (int m = 0; m < 12; ++m)
    if (std::string_view(lower, 3) == kEnglish[m] || (spanish && std::string_view(lower, 3) == kSpanish[m]))
      return m + 1;
  return 0;
}

}  // namespace

bool IsDateOf1900System(const CivilDate& date) {
  return date.year >= 1900 && date.year <= 9999 && date.month >= 1 && date.month <= 12 && date.day >= 1 &&
         date.day <= DaysIn1900System(date.year, date.month);
}

int DaysInYear(int year) { return IsLeap(year) ? 366 : 365; }

bool DateOfSerial(double serial, CivilDate& date) {
  if (!(serial >= 0 && serial < kLastSerial + 1)) return false;
  const long n = static_cast<long>(std::floor(serial));
  if (n == 0) date = {1900, 1, 0};
  else if (n == kFictitiousLeapDay) date = {1900, 2, 29};
  else date = AfterLastDayOf1899(n < kFictitiousLeapDay ? n : n - 1);
  return true;
}

bool DateOfText(std::string_view text, bool spanish, CivilDate& date, int dayFirst) {
  text = TrimSpaces(text);
  std::size_t at = 0;
  int a = 0, b = 0, c = 0;
  if (const std::size_t dash = text.find('-'); dash != std::string_view::npos && dash + 1 < text.size() &&
                                               IsLetter(text[dash + 1])) {
    // dd-Mmm-aaaa
    if (!Digits(text, at, 2, a) || at == text.size() || text[at++] != '-') return false;
    b = MonthOfAbbreviation(text.substr(at, 3), spanish);
    at += 3;
    if (b == 0 || at >= text.size() || text[at++] != '-' || !Digits(text, at, 4, c) || at != text.size())
      return false;
    date = CivilDate{c, b, a};
  } else {
    // aaaa-mm-dd; or dd/mm/aaaa (mm/dd/yyyy in English), with '-' or '.'
    // in place of '/' too (20-03-2023, 20.03.2023); the year's range asks
    // for its four digits.
    const std::size_t first = text.find_first_of("/-.");
    if (first == std::string_view::npos) return false;
    const char separator = text[first];
    const bool iso = separator == '-' && first == 4;
    const int firstDigits = iso ? 4 : 2, lastDigits = iso ? 2 : 4;
    if (!Digits(text, at, firstDigits, a) || at == text.size() || text[at++] != separator ||
        !Digits(text, at, 2, b) || at == text.size() || text[at++] != separator ||
        !Digits(text, at, lastDigits, c) || at != text.size())
      return false;
    const bool day = dayFirst < 0 ? spanish : dayFirst == 1;
    date = iso ? CivilDate{a, b, c} : day ? CivilDate{c, b, a} : CivilDate{c, a, b};
  }
  return IsDateOf1900System(date);
}

double SerialOfDate(const CivilDate& date) {
  // Leap years before `y` since year 1.
  auto leapsBefore = [](long y) { return (y - 1) / 4 - (y - 1) / 100 + (y - 1) / 400; };
  // Days of the year before each month (of a common year).
  constexpr int kBefore[12] = {0, 31, 59, 90, 120, 151, 181, 212, 243, 273, 304, 334};
  long days = 365L * (date.year - 1900) + leapsBefore(date.year) - leapsBefore(1900) + date.day;
  days += kBefore[date.month - 1] + (date.month > 2 && IsLeap(date.year) ? 1 : 0);
  // The 1900 system's 29 February 1900 shifts every later day by one.
  const bool afterFictitiousDay = date.year > 1900 || date.month > 2;
  return static_cast<double>(days + (afterFictitiousDay ? 1 : 0));
}

bool FractionOfTimeText(std::string_view text, double& fraction) {
  text = TrimSpaces(text);
  std::size_t at = 0;
  int hours = 0, minutes = 0, seconds = 0;
  if (!Digits(text, at, 2, hours) || at == text.size() || text[at++] != ':' || !Digits(text, at, 2, minutes))
    return false;
  if (at < text.size() && (text[at++] != ':' || !Digits(text, at, 2, seconds))) return false;
  if (at != text.size() || hours > 23 || minutes > 59 || seconds > 59) return false;
  fraction = (hours * 3600 + minutes * 60 + seconds) / 86400.0;
  return true;
}

bool SerialOfDateText(std::string_view text, bool spanish, double& serial, int dayFirst) {
  text = TrimSpaces(text);
  const std::size_t space = text.find(' ');
  CivilDate date;
  double fraction = 0;
  if (!DateOfText(text.substr(0, space), spanish, date, dayFirst)) return false;
  if (space != std::string_view::npos && !FractionOfTimeText(text.substr(space), fraction)) return false;
  serial = SerialOfDate(date) + fraction;
  return true;
}

}  // namespace torven
