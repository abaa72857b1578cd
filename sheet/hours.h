// Readings of the hour or finer: the period between rows (the commonest
// step between one row's time and the next), and the days they cover, each
// with how many readings; a day is whole when it has a period's reading for
// each of its hours, a clock change when a daylight-saving shift leaves it
// an hour short (a step of one period and an hour, ending by 04:00, when
// clocks spring forward) or long (a time that goes back), and partial
// otherwise: hours are missing, and a sum over its
// readings is not the day's.  A reading's time labels the end of its period
// (a reading at 00:00 closes the day before).
#pragma once

#include <map>
#include <string>
#include <vector>

#include "sheet/names.h"

namespace torven {

class HourCoverage {
 public:
  // The next row's date and time, as a serial of the 1900 system.
  void Add(double serial);

  // The period, in minutes (0 when no two rows are apart).
  long PeriodMinutes() const;
  // The first and last days the readings close (serials; 0 when none).
  long FirstDay() const { return days_.empty() ? 0 : days_.begin()->first; }
  long LastDay() const { return days_.empty() ? 0 : days_.rbegin()->first; }
  // The period, the days, and those partial or of a clock change (the
  // first ones named), as one clause of the file's date summary.
  std::string Summary(Language language) const;
  // The partial days (serials), every one: a sum over their readings is not a day's.
  std::vector<long> PartialDays() const;

 private:
  struct Day {
    long readings = 0;
    long largestStep = 0;  // minutes, between readings of the day
    long largestStepEnd = 0;  // the time it ends at, minutes after midnight
    bool wentBack = false;
  };
  enum class Kind { kWhole, kPartial, kShortened, kLengthened };
  // What a day is, for readings every `period` minutes (a divisor of a day).
  static Kind KindOf(const Day& d, long period);
  static constexpr std::size_t kNamed = 5;
  std::map<long, long> steps_;  // minutes between consecutive rows: how often
  std::map<long, Day> days_;
  long long previous_ = 0;      // the last row's time, minutes
  long previousDay_ = -1;
  Day* current_ = nullptr;      // its day (none before the first row)
};

}  // namespace torven
