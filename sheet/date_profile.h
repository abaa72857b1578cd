// How a column writes its dates, judged from all its cells, so that the
// day of each row is read as the file means it:
//   d/m/y or m/d/y   ('-' or '.' in place of '/' too) decided by a part above 12 (31/01/2020 is day first,
//                    01/31/2020 month first); when none is, the file does
//                    not say, and the user must;
//   two-digit years  (01/02/20) are counted, to be refused: the century is
//                    a guess;
//   aaaammdd         (20220131), and a year with the day of the year
//                    (2022-032 or 2022032), which are numbers or texts that
//                    the date parts do not read as dates;
// how often a row's day repeats the row before it (several rows a day:
// hourly or finer readings); and, for a column of the time of day beside
// one of dates, how it writes the time: 13:30, hours (13), or hhmm (1330).
#pragma once

#include <string>
#include <string_view>

namespace torven {

struct DateProfile {
  long cells = 0;           // not empty
  long slash = 0;           // d/m/aaaa or m/d/aaaa (4-digit year; '/', '-' or '.'), a time after it or not
  long dayFirst = 0;        // of those, whose first part is above 12
  long monthFirst = 0;      // whose second part is above 12
  long twoDigitYears = 0;   // d/m/aa or m/d/aa
  long compact = 0;         // aaaammdd, a date
  long yearDay = 0;         // aaaa-ddd or aaaaddd, a day of the year
  long iso = 0;             // aaaa-mm-dd, a date
  long repeated = 0;        // the same day as the row before
  long clock = 0;           // a time of day alone: 13:30 or 13:30:00
  long wholeHours = 0;      // whole numbers 0 to 2400 (an hour, or hhmm)
  long pastHours = 0;       // of those, above 24: hhmm

  void Add(std::string_view cell);

  // How most of the cells write their day: aaaammdd, a year and its day, or
  // else (date texts, serial numbers).
  enum class Form { kText, kCompact, kYearDay };
  Form MostCells() const {
    return 2 * compact > cells ? Form::kCompact : 2 * yearDay > cells ? Form::kYearDay : Form::kText;
  }
  // How most cells write a time of day: 13:30, a whole hour (13), hhmm
  // (1330: some number above 24), or none of these.
  enum class Clock { kNone, kText, kHours, kHhmm };
  Clock TimeOfDay() const {
    return 2 * clock > cells ? Clock::kText : 2 * wholeHours <= cells ? Clock::kNone
           : pastHours > 0   ? Clock::kHhmm : Clock::kHours;
  }
  // Most cells repeat the day of the row before: several rows a day.
  bool SeveralADay() const { return 2 * repeated > cells; }
  // Most of the cells are dates, in any of the ways above.
  bool MostlyDates() const { return 2 * (slash + twoDigitYears + compact + yearDay + iso) > cells; }
  // How the column's d/m/y or m/d/y dates read: 1 day first, 0 month
  // first, -1 when no part above 12 decides, -2 when both orders are seen.
  int DayFirst() const {
    return dayFirst > 0 && monthFirst > 0 ? -2 : dayFirst > 0 ? 1 : monthFirst > 0 ? 0 : -1;
  }

 private:
  std::string lastDay_;
};

}  // namespace torven
