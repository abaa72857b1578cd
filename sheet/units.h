// The units a station's columns come in, and their conversion to the
// add-in's (°C, m/s at the anemometer, MJ/m²/d, %, kPa; MJ/m²/h for
// readings of the hour or finer), as steps of one
// exact constant each, in the order a formula applies them where it reads
// the column (W/m² is x*0,0864; °F is (x-32)/1,8).  One table: the checks
// of plausibility name the units that would fit, the web calculator offers
// them and writes their steps into its formulas.
#pragma once

#include <string_view>
#include <vector>

namespace torven {

// kHourlyRadiation: the radiation of readings of the hour or finer, as a
// rate, in MJ/m²/h (hourly ET0's formulas take it per period).
enum class Quantity { kTemperature, kWind, kRadiation, kHumidity, kPressure, kHourlyRadiation };

struct UnitStep {
  char op;          // '+', '-', '*' or '/'
  double constant;
};

struct Unit {
  Quantity quantity;
  const char* id;       // as the page and its tests name it: "C", "km/h", "W" ...
  const char* spanish;  // as the page shows it: "°C", "km/h", "W/m² (media del día)"
  const char* english;
  std::vector<UnitStep> steps;  // none: the add-in's own unit
};

// Every unit, the add-in's first for each quantity.
const std::vector<Unit>& Units();

// `x` in `unit`, in the add-in's unit.
double ToAddInUnit(const Unit& unit, double x);

}  // namespace torven
