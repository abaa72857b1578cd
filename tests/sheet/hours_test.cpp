// Readings of the hour or finer: the period, and the days that are partial
// or of a clock change, as the file's date summary says them.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "sheet/dates.h"
#include "sheet/hours.h"
#include "sheet/row_dates.h"

namespace {

using namespace torven;

TEST(Hours, PeriodPartialDaysAndClockChanges) {
  const double first = SerialOfDate({2020, 3, 28});
  // Readings of one day from 00:00 + step (end labels) to 24:00, as minutes.
  const auto day = [](int d, int step) {
    std::vector<int> m;
    for (int t = step; t <= 1440; t += step) m.push_back(d * 1440 + t);
    return m;
  };
  const auto without = [](std::vector<int> m, std::vector<int> gone) {
    for (const int g : gone) std::erase(m, g);
    return m;
  };
  std::vector<int> autumn = day(1, 60);
  autumn.insert(autumn.begin() + 2, 1440 + 120);  // 02:00 twice: the clock went back
  const struct {
    std::vector<int> minutes;
    const char* english;
    std::vector<long> partial;  // days after the first
  } cases[] = {
      {day(0, 60), "readings every 60 min (the time labels the period's end), 1 day", {}},
      {day(0, 15), "readings every 15 min", {}},
      {without(day(0, 60), {600, 660}), "1 partial (its sum is not a day's): 2020-03-28 (22 of 24)", {0}},
      {without(day(1, 60), {1440 + 180}), "clock changes: 2020-03-29 (23 h)", {}},
      {without(day(1, 60), {1440 + 420}), "1 partial (its sum is not a day's): 2020-03-29 (23 of 24)", {1}},
      {autumn, "clock changes: 2020-03-29 (25 h)", {}},
  };
  for (const auto& c : cases) {
    HourCoverage hours;
    for (const int m : c.minutes) hours.Add(first + m / 1440.0);
    const std::string said = hours.Summary(Language::kEnglish);
    EXPECT_NE(said.find(c.english), std::string::npos) << said;
    std::vector<long> partial;
    for (const long d : c.partial) partial.push_back(static_cast<long>(first) + d);
    EXPECT_EQ(hours.PartialDays(), partial) << said;
  }
}

// A date column and the time of day in a column of its own, in the three
// ways networks write it: each row read as its date and time.
TEST(Hours, TimeOfDayInAColumnOfItsOwn) {
  const struct {
    std::vector<std::string> times;  // the column's first cells; the last is read
    double minutes;                  // after the day's start
  } cases[] = {
      {{"00:30", "01:00", "13:30"}, 13 * 60 + 30},
      {{"1", "2", "13"}, 13 * 60},
      {{"100", "130", "2400"}, 24 * 60},
      {{"100", "1330"}, 13 * 60 + 30},
  };
  for (const auto& c : cases) {
    std::vector<DateProfile> profiles(2);
    for (const std::string& t : c.times) profiles[0].Add("01/07/2020"), profiles[1].Add(t);
    RowDates dates;
    dates.Find(0, profiles, {"Fecha", "Hora"}, 1);
    const double serial = dates.DayOf({"01/07/2020", c.times.back()}, 2, false, true);
    EXPECT_NEAR((serial - SerialOfDate({2020, 7, 1})) * 1440, c.minutes, 1e-6) << c.times.back();
  }
}

}  // namespace
