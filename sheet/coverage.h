// Which days a station file's rows cover, from each row's date in order:
// the first and last day, the days missing between them (as ranges), the
// days repeated, dates that go back, and the years whose days are not all
// there (partial: a year's sum over them is not a year's).  Several rows a
// day (hourly readings) are told apart from a repeated day.
#pragma once

#include <map>
#include <string>
#include <vector>

#include "sheet/hours.h"
#include "sheet/names.h"

namespace torven {

// A day (a serial of the 1900 system) as the language writes it: 2020-03-04,
// or 04/03/2020.
std::string DayText(long serial, Language language);

class DateCoverage {
 public:
  // The next row's date as a serial of the 1900 system (its time of day
  // dropped but for readings of the hour or finer), and its line; a row
  // without a date is not counted.
  void Add(double serial, long line);

  // Whether the rows leave days out, repeat or go back.
  bool Gapless() const { return missing_ == 0 && repeated_ == 0 && backwards_ == 0; }

  // What the rows cover, as one message ("" when no row has a date): the
  // first and last day, then what is missing, repeated or out of order, and
  // the partial years, each with their first ones named.
  std::string Summary(Language language) const;
  // With readings of the hour or finer, the days with hours missing (serials).
  std::vector<long> PartialHourDays() const { return hours_.PartialDays(); }

 private:
  static constexpr std::size_t kNamed = 5;  // ranges, days or years named in full
  long rows_ = 0, sameDayRows_ = 0;
  long first_ = 0, last_ = 0, previous_ = 0;
  long missing_ = 0, gapRanges_ = 0, repeated_ = 0, backwards_ = 0;
  std::vector<std::pair<long, long>> gaps_;        // first kNamed missing ranges
  std::vector<std::pair<long, long>> repeats_;     // first kNamed repeated days: day, line
  void CountDay(long day);
  std::map<int, long> daysPerYear_;                // distinct days of each year
  HourCoverage hours_;                             // the rows' times, for readings of the hour or finer
  long yearFirst_ = 1, yearLast_ = 0;              // the serials of the last day's year
  long* yearDays_ = nullptr;                       // its count
};

}  // namespace torven
