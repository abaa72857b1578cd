#include "sheet/row_dates.h"

#include <cmath>
#include <limits>

#include "sheet/columns.h"
#include "sheet/dates.h"
#include "sheet/number_text.h"
#include "sheet/spaces.h"

namespace torven {

namespace {
constexpr double kNoDay = std::numeric_limits<double>::quiet_NaN();
}  // namespace

bool DecideDateOrder(const std::string& given, const std::vector<bool>& read, const std::vector<DateProfile>& profiles,
                     const std::vector<std::string>& names, Language language, int& order, std::string& message) {
  const bool es = language == Language::kSpanish;
  order = given == "dmy" ? 1 : given == "mdy" ? 0 : -1;
  const bool told = order >= 0;
  const std::string fix = es ? ": elija el orden, día/mes/año (--dates dmy, 31/01/2020) o mes/día/año (--dates mdy, "
                               "01/31/2020)"
                             : ": say which with --dates dmy (31/01/2020) or --dates mdy (01/31/2020)";
  std::string decidedBy;
  for (std::size_t c = 0; c < read.size() && c < profiles.size() && c < names.size(); ++c) {
    const DateProfile& p = profiles[c];
    if (!read[c]) continue;
    const std::string column = es ? "«" + names[c] + "»" : "'" + names[c] + "'";
    // A year of two digits: its century would be a guess.
    if (p.twoDigitYears > 0) {
      const std::string n = std::to_string(p.twoDigitYears);
      message = es ? "las fechas de " + column + " tienen el año en dos cifras (" + n + " filas): el siglo sería "
                         "una suposición. Guarde el archivo con el año completo (dd/mm/aaaa) y ábralo de nuevo."
                   : "the dates of " + column + " have two-digit years (" + n + " rows): the century would be a "
                         "guess. Save the file with four-digit years (31/01/2020) and read that one.";
      return false;
    }
    if (p.slash == 0 || told) continue;
    const int columnOrder = p.DayFirst();
    if (columnOrder == -2) {
      message = es ? "las fechas de " + column + " mezclan día/mes/año (" + std::to_string(p.dayFirst) +
                         " filas) y mes/día/año (" + std::to_string(p.monthFirst) + " filas)" + fix
                   : "the dates of " + column + " mix day/month/year (" + std::to_string(p.dayFirst) +
                         " rows) and month/day/year (" + std::to_string(p.monthFirst) + " rows)" + fix;
      return false;
    }
    if (columnOrder == -1) {
      message = es ? "las fechas de " + column + " no dicen si son día/mes/año o mes/día/año (ningún día ni mes " +
                         "pasa de 12 en las primeras filas)" + fix
                   : "the dates of " + column + " do not say whether they are day/month/year or month/day/year " +
                         "(no day or month above 12 in the first rows)" + fix;
      return false;
    }
    if (order >= 0 && order != columnOrder) {
      message = es ? "las fechas de " + decidedBy + " y de " + column + " están escritas en órdenes distintos" + fix
                   : "the dates of " + decidedBy + " and " + column + " are written in different orders" + fix;
      return false;
    }
    order = columnOrder;
    decidedBy = column;
  }
  return true;
}

bool RowDates::SeveralADay(const std::vector<DateProfile>& profiles, const std::vector<std::string>& names,
                           Language language, std::string& message) const {
  const int c = source_ == Source::kParts ? parts_[2] : source_ == Source::kYearAndDay ? parts_[3] : column_;
  if (source_ == Source::kNone || c < 0 || static_cast<std::size_t>(c) >= profiles.size() ||
      static_cast<std::size_t>(c) >= names.size())
    return false;
  const DateProfile& p = profiles[static_cast<std::size_t>(c)];
  if (!p.SeveralADay()) return false;
  const std::string counts = std::to_string(p.repeated) + (language == Language::kSpanish ? " de " : " of ") +
                             std::to_string(p.cells);
  message = language == Language::kSpanish
                ? "el archivo tiene varias filas por día (" + counts + " repiten el día de la anterior en «" +
                      names[static_cast<std::size_t>(c)] + "»): son lecturas horarias o más frecuentes, y la ET0 "
                      "diaria necesita un valor por día (Tmáx y Tmín del día, la humedad máxima y mínima, el viento "
                      "medio, la radiación del día). Calcule la ET0 de cada período con las lecturas horarias (FAO 56 "
                      "ec. 53), o resuma las lecturas por día en la planilla (una tabla dinámica por fecha, con "
                      "máximo, mínimo, promedio y suma) y abra ese archivo."
                : "the file has several rows a day (" + counts + " repeat the day of the row before in '" +
                      names[static_cast<std::size_t>(c)] + "'): readings of the hour or finer, and ETPF56 computes "
                      "a day's ET0 from one value a day (the day's Tmax and Tmin, highest and lowest humidity, mean "
                      "wind and radiation). Compute each period's ET0 with the hourly formulas (FAO 56 eq. 53; the "
                      "web calculator writes them), or summarise the readings by day (a pivot table by date, with "
                      "maximum, minimum, average and sum) and read that file (--accept-implausible computes anyway).";
  return true;
}

void RowDates::Find(int dateColumn, const std::vector<DateProfile>& profiles, const std::vector<std::string>& names,
                    int order) {
  column_ = dateColumn;
  order_ = order;
  std::vector<ColumnFacts> facts(names.size());
  for (std::size_t c = 0; c < names.size(); ++c) facts[c].name = names[c], facts[c].numbers = 1;
  const ColumnGuess guess = GuessColumns(facts);
  const auto at = [&](Role role) { return guess.columns[static_cast<std::size_t>(role)]; };
  // A column of the time of day, read as most of its first cells write it.
  hourColumn_ = at(Role::kHour);
  clock_ = hourColumn_ >= 0 && static_cast<std::size_t>(hourColumn_) < profiles.size()
               ? profiles[static_cast<std::size_t>(hourColumn_)].TimeOfDay() : DateProfile::Clock::kNone;
  if (clock_ == DateProfile::Clock::kNone) hourColumn_ = -1;
  if (dateColumn >= 0 && static_cast<std::size_t>(dateColumn) < profiles.size()) {
    const DateProfile& p = profiles[static_cast<std::size_t>(dateColumn)];
    source_ = p.MostCells() == DateProfile::Form::kCompact   ? Source::kCompact
              : p.MostCells() == DateProfile::Form::kYearDay ? Source::kYearDay
                                                             : Source::kText;
    if (order_ < 0 && p.slash > 0) order_ = p.DayFirst() >= 0 ? p.DayFirst() : -3;
    return;
  }
  parts_ = {at(Role::kYear), at(Role::kMonth), at(Role::kDay), at(Role::kDayOfYear)};
  if (parts_[0] >= 0 && parts_[1] >= 0 && parts_[2] >= 0) source_ = Source::kParts;
  else if (parts_[0] >= 0 && parts_[3] >= 0) source_ = Source::kYearAndDay;
}

double RowDates::DayOf(const std::vector<std::string>& row, std::size_t count, bool comma, bool spanish) const {
  const double day = DateOnly(row, count, comma, spanish);
  if (hourColumn_ < 0 || std::isnan(day) || static_cast<std::size_t>(hourColumn_) >= count) return day;
  const std::string_view text = TrimSpaces(row[static_cast<std::size_t>(hourColumn_)]);
  double x = 0;
  switch (clock_) {
    case DateProfile::Clock::kText: return FractionOfTimeText(text, x) ? day + x : kNoDay;
    case DateProfile::Clock::kHours:
      return NumberOfCell(text, comma, x) && x >= 0 && x <= 24 ? day + x / 24 : kNoDay;
    case DateProfile::Clock::kHhmm: {
      if (!NumberOfCell(text, comma, x) || !(x >= 0 && x <= 2400) || x != std::floor(x)) return kNoDay;
      const double hours = std::floor(x / 100), minutes = x - 100 * hours;
      return minutes < 60 ? day + (60 * hours + minutes) / 1440 : kNoDay;
    }
    case DateProfile::Clock::kNone: break;
  }
  return day;
}

double RowDates::DateOnly(const std::vector<std::string>& row, std::size_t count, bool comma, bool spanish) const {
  const auto field = [&](int c) {
    return c >= 0 && static_cast<std::size_t>(c) < count ? TrimSpaces(row[static_cast<std::size_t>(c)])
                                                          : std::string_view();
  };
  const auto number = [&](int c) {
    double x = 0;
    return NumberOfCell(field(c), comma, x) && x == std::floor(x) ? x : kNoDay;
  };
  // A date of the 1900 system (the parts tested before they become integers).
  const auto serialOf = [](double y, double m, double d) {
    if (!(y >= 1900 && y <= 9999 && m >= 1 && m <= 12 && d >= 1 && d <= 31)) return kNoDay;
    const CivilDate date{static_cast<int>(y), static_cast<int>(m), static_cast<int>(d)};
    return IsDateOf1900System(date) ? SerialOfDate(date) : kNoDay;
  };
  // The day `day` of `year` (1 is 1 January).
  const auto dayOfYear = [&](double year, double day) {
    const double first = serialOf(year, 1, 1);
    return !std::isnan(first) && day >= 1 && day <= DaysInYear(static_cast<int>(year)) ? first + day - 1 : kNoDay;
  };
  switch (source_) {
    case Source::kText: {
      double serial = 0;
      return order_ != -3 && SerialOfDateText(field(column_), spanish, serial, order_) ? serial : kNoDay;
    }
    case Source::kCompact: {
      const double n = number(column_);
      return serialOf(std::floor(n / 10000), std::floor(n / 100) - std::floor(n / 10000) * 100,
                      n - std::floor(n / 100) * 100);
    }
    case Source::kYearDay: {
      const std::string_view t = field(column_);
      double year = 0, day = 0;
      if (t.size() < 7 || !NumberOfCell(t.substr(0, 4), false, year) ||
          !NumberOfCell(t.substr(t[4] == '-' ? 5 : 4), false, day))
        return kNoDay;
      return dayOfYear(year, day);
    }
    case Source::kParts: return serialOf(number(parts_[0]), number(parts_[1]), number(parts_[2]));
    case Source::kYearAndDay: return dayOfYear(number(parts_[0]), number(parts_[3]));
    case Source::kNone: break;
  }
  return kNoDay;
}

}  // namespace torven
