// What each column of a station file holds, guessed from its name (in
// Spanish, Portuguese or English, long or short, and as the global daily
// datasets name them: T2M_MAX, RH2M, WS10M, ALLSKY_SFC_SW_DWN ...), its row
// of units, a preamble line that names it, and its values; the unit of each
// column, the anemometer's height where a name says it (WS10M, _10m,
// 200cm), and whether the rows are days or months.  A column without a
// single number is never guessed to hold a reading.
#pragma once

#include <string>
#include <string_view>
#include <vector>

#include "sheet/date_profile.h"
#include "sheet/units.h"

namespace torven {

// The readings and dates a column may hold, by the web calculator's names.
enum class Role {
  kDate, kYear, kMonth, kDay, kDayOfYear, kTmax, kTmin, kRhMax, kRhMin, kRhMean, kDewPoint, kVapour,
  kRadiation, kSunshine, kWind, kRain, kTmean, kHour, kCount
};
const char* RoleKey(Role role);  // "fecha", "anio", "mes", "dia", "diaAnio", "tmax", ... "viento", "lluvia", "tmed", "horaDia"

// What is known of a column.
struct ColumnFacts {
  std::string name;          // the header's, UTF-8
  std::string unit;          // the field of the row of units below it ("" when none)
  long numbers = 0;          // cells that are numbers
  double high = 0;           // the greatest of them
  DateProfile dates;         // how its cells write dates
};

struct ColumnGuess {
  std::vector<int> columns;  // per Role, the column (-1 when none)
  bool monthly = false;      // a month column and no day: monthly means (unless months repeat row after row)
  double windHeight = 0;     // of the wind column, m, when its name says it (else 0)
};

// The columns' roles, from their names and values; `preamble` the lines
// before the header (UTF-8).
ColumnGuess GuessColumns(const std::vector<ColumnFacts>& columns);

// The unit (an id of Units()) of `quantity` that a column's name, its row of
// units or a preamble line that names it says; the add-in's when none does
// (a humidity that never passes 1.5 is a fraction).
const char* GuessUnit(Quantity quantity, const ColumnFacts& column, std::string_view preamble);

// A name as the guesses compare it: lower case, without accents, units in
// brackets or signs (°, %), separators as single spaces.
std::string NormalName(std::string_view name);

}  // namespace torven
