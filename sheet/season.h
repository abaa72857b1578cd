// Whether a season's rows are its days, one a row, in order: a formula that
// reads the row above as the day before (a root zone's water balance) is
// right over them only so.  Fed the file's rows in order, each data row's
// day and each line that holds no data, it names what breaks the season: a
// day missing, a day repeated, dates that go back, a row without a date or
// a line without data between two of its days, its first day absent, none
// of its days there; and the day the file ends on when that is before the
// season's end.
#pragma once

#include <string>
#include <vector>

#include "sheet/names.h"

namespace torven {

class SeasonDays {
 public:
  // The season's first and last days (serials of the 1900 system).
  SeasonDays(long first, long last) : first_(first), last_(last) {}

  // A data row: its day as a serial (its time of day dropped; none when it
  // is not a date).
  void Row(double serial, long line);
  // A line without data (blank, left out, or the row of units) after the
  // data row fed last.
  void NoData() {
    if (previous_.line > 0) noData_ = true;
  }

  bool Broken() const { return count_ > 0 || previous_.line == 0; }
  // Why the balance cannot run over the season ("" when it can): its first
  // problems named, then how many more.
  std::string Problems(Language language) const;
  // When the file ends before the season does, the day it ends on ("" else).
  std::string EndNote(Language language) const;

 private:
  enum class Kind { kFirstDayAbsent, kUndated, kRepeated, kBackwards, kMissing, kNoData };
  struct Problem {
    Kind kind;
    long day = 0, day2 = 0;    // the days it names
    long line = 0, line2 = 0;  // the lines it names (between them)
    std::vector<long> lines;   // rows without a date
  };
  struct Seen {
    long day = 0, line = 0;
  };
  static constexpr std::size_t kNamed = 5;
  void Add(Problem p);
  std::string Text(const Problem& p, Language language) const;

  long first_, last_;
  Seen previous_;
  std::vector<long> undated_;  // rows without a date since the previous day
  bool noData_ = false;        // a line without data since the previous day
  std::vector<Problem> named_;
  long count_ = 0;
};

}  // namespace torven
