#include "sheet/hours.h"

#include <cmath>

#include "sheet/coverage.h"

namespace torven {

// The latest a clock springs forward to (minutes after midnight): 02:00 to 03:00.
constexpr long kLatestSpring = 4 * 60;

void HourCoverage::Add(double serial) {
  const long long minutes = std::llround(serial * 1440);
  // A reading at 00:00 ends the day before.
  const long day = static_cast<long>((minutes - 1) / 1440);
  const bool sameDay = current_ != nullptr && day == previousDay_;
  if (current_ != nullptr) {
    const long long step = minutes - previous_;
    if (step > 0 && step <= 1440) ++steps_[static_cast<long>(step)];
    if (sameDay && step <= 0) current_->wentBack = true;
    else if (sameDay && step > current_->largestStep)
      current_->largestStep = static_cast<long>(step), current_->largestStepEnd = static_cast<long>(minutes % 1440);
  }
  // The day is looked up when it leaves the last one's.
  if (!sameDay) current_ = &days_[day];
  ++current_->readings;
  previous_ = minutes;
  previousDay_ = day;
}

long HourCoverage::PeriodMinutes() const {
  long period = 0, most = 0;
  for (const auto& [step, count] : steps_)
    if (count > most) period = step, most = count;
  return period;
}

// A day is whole with a reading each period; a clock change when it has an
// hour's readings fewer (a step of one period and an hour, ending by 04:00:
// clocks spring forward at night, 00:00 to 03:00 by country) or more (a time
// that goes back); partial otherwise.
HourCoverage::Kind HourCoverage::KindOf(const Day& d, long period) {
  const long expected = 1440 / period, hour = 60 % period == 0 ? 60 / period : 0;
  if (d.readings == expected) return Kind::kWhole;
  if (hour > 0 && d.readings == expected - hour && d.largestStep == period + 60 && d.largestStepEnd <= kLatestSpring)
    return Kind::kShortened;
  if (hour > 0 && d.readings == expected + hour && d.wentBack) return Kind::kLengthened;
  return Kind::kPartial;
}

std::vector<long> HourCoverage::PartialDays() const {
  const long period = PeriodMinutes();
  std::vector<long> partial;
  if (period == 0 || 1440 % period != 0) return partial;
  for (const auto& [day, d] : days_)
    if (KindOf(d, period) == Kind::kPartial) partial.push_back(day);
  return partial;
}

std::string HourCoverage::Summary(Language language) const {
  const long period = PeriodMinutes();
  if (period == 0 || 1440 % period != 0) return "";
  const bool es = language == Language::kSpanish;
  const long expected = 1440 / period;
  std::string partial, changes;
  long partialDays = 0, changeDays = 0;
  for (const auto& [day, d] : days_) {
    const std::string when = DayText(day, language);
    const Kind kind = KindOf(d, period);
    if (kind == Kind::kShortened || kind == Kind::kLengthened) {
      if (changeDays++ < static_cast<long>(kNamed))
        changes += (changes.empty() ? "" : ", ") + when + " (" + (kind == Kind::kShortened ? "23" : "25") + " h)";
    } else if (kind == Kind::kPartial) {
      if (partialDays++ < static_cast<long>(kNamed))
        partial += (partial.empty() ? "" : ", ") + when + " (" + std::to_string(d.readings) + (es ? " de " : " of ") +
                   std::to_string(expected) + ")";
    }
  }
  const auto more = [&](long total) { return total > static_cast<long>(kNamed) ? (es ? " y más" : " and more") : ""; };
  std::string out = (es ? "lecturas cada " : "readings every ") + std::to_string(period) +
                    (es ? " min (la hora marca el fin del período), " : " min (the time labels the period's end), ") +
                    std::to_string(days_.size()) + (days_.size() == 1 ? (es ? " día" : " day") : (es ? " días" : " days"));
  if (partialDays > 0)
    out += (es ? "; " + std::to_string(partialDays) + (partialDays == 1 ? " incompleto (su suma no es la de un día): "
                                                                         : " incompletos (sus sumas no son las de un día): ")
               : "; " + std::to_string(partialDays) + (partialDays == 1 ? " partial (its sum is not a day's): "
                                                                         : " partial (their sums are not a day's): ")) +
           partial + more(partialDays);
  if (changeDays > 0) out += (es ? "; cambio de hora: " : "; clock changes: ") + changes + more(changeDays);
  return out;
}

}  // namespace torven
