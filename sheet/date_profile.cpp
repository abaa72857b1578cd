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

bool IsLeap(long year) { return (year % 4 == 0 && year % 100 != 0) || year % 400 == 0; }

bool IsDayOfYear(long year, long day) { return year >= 1900 && year <= 9999 && day >= 1 && day <= (IsLeap(year) ? 366 : 365); }

// The parts of a text a/b/c (digits, '/' or '-' between them).
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
  // The day: the text before a time of day.
  const std::size_t space = cell.find_first_of(" T");
  const std::string_view day = cell.substr(0, space);
  if (!lastDay_.empty() && day == lastDay_) ++repeated;
  lastDay_.assign(day);
  double fraction = 0;
  const bool timed = space != std::string_view::npos && FractionOfTimeText(cell.substr(space + 1), fraction);
  std::string_view part[3];
  CivilDate date;
  if (Parts(day, '/', part)) {
    if (part[2].size() == 2) {
      ++twoDigitYears;
    } else if (DateOfText(day, true, date) || DateOfText(day, false, date)) {
      ++slash;
      withTime += timed;
      dayFirst += Whole(part[0]) > 12;
      monthFirst += Whole(part[1]) > 12;
    }
  } else if (day.size() == 8 && day[4] == '-' && AllDigits(day.substr(0, 4)) && AllDigits(day.substr(5))) {
    yearDay += IsDayOfYear(Whole(day.substr(0, 4)), Whole(day.substr(5)));
  } else if (DateOfText(day, false, date)) {
    ++iso;
    withTime += timed;
  } else if (AllDigits(cell) && cell.size() == 8) {
    const long n = Whole(cell);
    const CivilDate d{static_cast<int>(n / 10000), static_cast<int>(n / 100 % 100), static_cast<int>(n % 100)};
    compact += d.year >= 1900 && d.month >= 1 && d.month <= 12 && d.day >= 1 && d.day <= 31;
  } else if (AllDigits(cell) && cell.size() == 7) {
    yearDay += IsDayOfYear(Whole(cell.substr(0, 4)), Whole(cell.substr(4)));
  } else if (AllDigits(cell) && cell.size() <= 7) {
    const long n = Whole(cell);
    serial += n >= 1 && n <= 2958465;
  }
}

}  // namespace torven
