#include "sheet/date_profile.h"

#include "sheet/dates.h"
#include "sheet/spaces.h"

namespace torven {
namespace {

bool AllDigits(std::string_view s) {
  if (s.empty()) return false;
  for (const char c : s)
    if (c < '0' || c > '9') return false;
  return true;
}

long Whole(std::string_view digits) {
  long n = 0;
  for (const char c : digits) n = n * 10 + (c - '0');
  return n;
}

bool IsDayOfYear(long year, long day) {
  return year >= 1900 && year <= 9999 && day >= 1 && day <= DaysInYear(static_cast<int>(year));
}

// The parts of a text a/b/c (digits, `separator` between them).
bool Parts(std::string_view s, char separator, std::string_view part[3]) {
  for (int i = 0; i < 3; ++i) {
    const std::size_t end = i < 2 ? s.find(separator) : s.size();
    if (end == std::string_view::npos) return false;
    part[i] = s.substr(0, end);
    if (!AllDigits(part[i])) return false;
    s.remove_prefix(i < 2 ? end + 1 : end);
  }
  return true;
}

}  // namespace

void DateProfile::Add(std::string_view cell) {
  cell = TrimSpaces(cell);
  if (cell.empty()) return;
  ++cells;
  // A time of day alone, or a whole number that can be an hour or hhmm.
  if (double fraction = 0; FractionOfTimeText(cell, fraction)) ++clock;
  if (const long n = AllDigits(cell) && cell.size() <= 4 ? Whole(cell) : -1; n >= 0 && n <= 2400)
    ++wholeHours, pastHours += n > 24;
  // The day: the text before a time of day.
  std::size_t end = 0;
  while (end < cell.size() && cell[end] != ' ' && cell[end] != 'T') ++end;
  const std::string_view day = cell.substr(0, end);
  if (!lastDay_.empty() && day == lastDay_) ++repeated;
  else lastDay_.assign(day);
  // Every form of a date here is digits with at most two separators: any
  // other text (a letter, a decimal number of a reading) is none.
  int separators = 0;
  for (const char c : day) {
    if (c == '/' || c == '-' || c == '.') ++separators;
    else if (c < '0' || c > '9') return;
  }
  if (separators == 1 && day.size() != 8) return;  // 12.5, -3: a number (aaaa-ddd has eight characters)
  std::string_view part[3];
  CivilDate date;
  const std::size_t first = day.find_first_of("/-.");
  const char separator = first == std::string_view::npos ? '/' : day[first];
  if (first != std::string_view::npos && first <= 2 && Parts(day, separator, part)) {
    if (part[2].size() == 2) {
      ++twoDigitYears;
    } else if (DateOfText(day, true, date) || DateOfText(day, false, date)) {
      ++slash;
      dayFirst += Whole(part[0]) > 12;
      monthFirst += Whole(part[1]) > 12;
    }
  } else if (first == 4 && separator == '-' && DateOfText(day, false, date)) {
    ++iso;
  } else if (day.size() == 8 && day[4] == '-' && AllDigits(day.substr(0, 4)) && AllDigits(day.substr(5))) {
    yearDay += IsDayOfYear(Whole(day.substr(0, 4)), Whole(day.substr(5)));
  } else if (AllDigits(cell) && cell.size() == 8) {
    const long n = Whole(cell);
    compact += IsDateOf1900System({static_cast<int>(n / 10000), static_cast<int>(n / 100 % 100), static_cast<int>(n % 100)});
  } else if (AllDigits(cell) && cell.size() == 7) {
    yearDay += IsDayOfYear(Whole(cell.substr(0, 4)), Whole(cell.substr(4)));
  }
}

}  // namespace torven
