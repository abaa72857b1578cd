// The dates of a station file's rows: how its d/m/y or m/d/y dates read,
// and where each row keeps its day (a column of dates, aaaammdd, a year and
// its day, or year, month and day columns), for the days the file covers.
#pragma once

#include <array>
#include <string>
#include <string_view>
#include <vector>

#include "sheet/date_profile.h"
#include "sheet/names.h"

namespace torven {

// How d/m/y and m/d/y dates read: as `given` says ("dmy", "mdy"), else as
// every such column that `read` marks decides it in its `profiles` (-1 when
// none is read: the dialect's order).  False, with `message` (in
// `language`) naming --dates, when a column mixes both orders, none of its
// days decides, or two columns disagree; or saying how to write them, when
// a column read has years of two digits.
bool DecideDateOrder(const std::string& given, const std::vector<bool>& read, const std::vector<DateProfile>& profiles,
                     const std::vector<std::string>& names, Language language, int& order, std::string& message);

class RowDates {
 public:
  // Finds where the rows keep their day: `dateColumn` (its profile in
  // `profiles`), or the columns `names` say hold a year, month and day or a
  // year and day of the year; `order` as decided (-1: the column's own).
  void Find(int dateColumn, const std::vector<DateProfile>& profiles, const std::vector<std::string>& names, int order);
  bool Any() const { return source_ != Source::kNone; }
  // Whether most rows repeat the day of the row before in the column that
  // keeps their day (readings of the hour or finer), over the first rows its
  // `profiles` judge; `message` says so in `language` for a formula that
  // computes a day's ET0.
  bool SeveralADay(const std::vector<DateProfile>& profiles, const std::vector<std::string>& names,
                   Language language, std::string& message) const;

  // A row's day as a serial number (NaN when it has none), with its time of
  // day when a column of the time beside the date gives it (13:30, 13 or
  // 1330); numbers read with a decimal comma when `comma`, date texts as
  // `spanish` writes them.
  double DayOf(const std::vector<std::string>& row, std::size_t count, bool comma, bool spanish) const;

 private:
  enum class Source { kNone, kText, kCompact, kYearDay, kParts, kYearAndDay };
  Source source_ = Source::kNone;
  int column_ = -1;
  int order_ = -1;                                // -3: the column's order is not known
  std::array<int, 4> parts_ = {-1, -1, -1, -1};   // year, month, day, day of year
  int hourColumn_ = -1;                           // the time of day, beside the date
  DateProfile::Clock clock_ = DateProfile::Clock::kNone;
  double DateOnly(const std::vector<std::string>& row, std::size_t count, bool comma, bool spanish) const;
};

}  // namespace torven
