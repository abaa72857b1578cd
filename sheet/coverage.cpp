#include "sheet/coverage.h"

#include <cmath>
#include <cstdio>

#include "sheet/dates.h"

namespace torven {
std::string DayText(long serial, Language language) {
  CivilDate d;
  if (!DateOfSerial(static_cast<double>(serial), d)) return "?";
  char text[16];
  if (language == Language::kSpanish) std::snprintf(text, sizeof text, "%02d/%02d/%04d", d.day, d.month, d.year);
  else std::snprintf(text, sizeof text, "%04d-%02d-%02d", d.year, d.month, d.day);
  return text;
}

void DateCoverage::CountDay(long day) {
  // The year is looked up when the day leaves the last one's.
  if (day < yearFirst_ || day > yearLast_) {
    CivilDate d;
    if (!DateOfSerial(static_cast<double>(day), d)) return;
    yearFirst_ = static_cast<long>(SerialOfDate({d.year, 1, 1}));
    yearLast_ = static_cast<long>(SerialOfDate({d.year, 12, 31}));
    yearDays_ = &daysPerYear_[d.year];
  }
  ++*yearDays_;
}

void DateCoverage::Add(double serial, long line) {
  if (!(serial >= 1 && serial < 2958466)) return;
  const long day = static_cast<long>(std::floor(serial));
  hours_.Add(serial);
  if (rows_++ == 0) {
    first_ = last_ = day;
    CountDay(day);
  } else if (day == previous_) {
    ++sameDayRows_;
    if (repeats_.size() < kNamed) repeats_.push_back({day, line});
    ++repeated_;
  } else if (day < previous_) {
    ++backwards_;
  } else {
    if (day > previous_ + 1) {
      missing_ += day - previous_ - 1;
      ++gapRanges_;
      if (gaps_.size() < kNamed) gaps_.push_back({previous_ + 1, day - 1});
    }
    CountDay(day);
  }
  if (day > last_) last_ = day;
  previous_ = day;
}

std::string DateCoverage::Summary(Language language) const {
  if (rows_ == 0) return "";
  const bool es = language == Language::kSpanish;
  const auto day = [&](long d) { return DayText(d, language); };
  std::string out = (es ? "Fechas del " : "Dates from ") + day(first_) + (es ? " al " : " to ") + day(last_);
  // Several rows a day: readings of the hour or finer, not repeated days.
  if (2 * sameDayRows_ > rows_) {
    // The days the readings close (one at 00:00 closes the day before).
    if (hours_.PeriodMinutes() > 0)
      out = (es ? "Fechas del " : "Dates from ") + day(hours_.FirstDay()) + (es ? " al " : " to ") + day(hours_.LastDay());
    out += (es ? ", con varias filas por día (" : ", several rows a day (") + std::to_string(sameDayRows_) +
           (es ? " de " : " of ") + std::to_string(rows_) + (es ? " filas repiten el día de la anterior)" :
                                                                  " rows repeat the day of the one before)");
    const std::string hours = hours_.Summary(language);
    return out + (hours.empty() ? "" : ": " + hours) + ".";
  }
  const auto more = [&](long total, std::size_t named) {
    return total > static_cast<long>(named) ? (es ? " y más" : " and more") : "";
  };
  if (missing_ > 0) {
    out += es ? (missing_ == 1 ? "; falta 1 día: " : "; faltan " + std::to_string(missing_) + " días: ")
              : "; " + std::to_string(missing_) + (missing_ == 1 ? " day missing: " : " days missing: ");
    for (std::size_t i = 0; i < gaps_.size(); ++i)
      out += (i > 0 ? ", " : "") + day(gaps_[i].first) +
             (gaps_[i].second > gaps_[i].first ? (es ? " al " : " to ") + day(gaps_[i].second) : "");
    out += more(gapRanges_, gaps_.size());
  }
  if (repeated_ > 0) {
    out += es ? "; días repetidos: " : "; days repeated: ";
    for (std::size_t i = 0; i < repeats_.size(); ++i)
      out += (i > 0 ? ", " : "") + day(repeats_[i].first) + (es ? " (línea " : " (line ") +
             std::to_string(repeats_[i].second) + ")";
    out += more(repeated_, repeats_.size());
  }
  if (backwards_ > 0)
    out += (es ? "; las fechas retroceden en " : "; dates go back on ") + std::to_string(backwards_) +
           (es ? (backwards_ == 1 ? " fila" : " filas") : (backwards_ == 1 ? " row" : " rows"));
  // Years whose days are not all there.
  std::string partial;
  std::size_t named = 0;
  for (const auto& [year, days] : daysPerYear_) {
    const int all = DaysInYear(year);
    if (days >= all) continue;
    if (named++ < kNamed)
      partial += (partial.empty() ? "" : ", ") + std::to_string(year) + " (" + std::to_string(days) +
                 (es ? " de " : " of ") + std::to_string(all) + (es ? " días)" : " days)");
  }
  if (!partial.empty()) out += (es ? "; años parciales: " : "; partial years: ") + partial + more(static_cast<long>(named), kNamed);
  return out + ".";
}

}  // namespace torven
