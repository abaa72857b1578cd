#include "sheet/units.h"

namespace torven {

const std::vector<Unit>& Units() {
  using Q = Quantity;
  static const std::vector<Unit> kUnits = {
      {Q::kTemperature, "C", "°C", "°C", {}},
      {Q::kTemperature, "dC", "décimas de °C", "tenths of °C", {{'/', 10}}},
      {Q::kTemperature, "F", "°F", "°F", {{'-', 32}, {'/', 1.8}}},
      {Q::kTemperature, "K", "K", "K", {{'-', 273.15}}},
      {Q::kWind, "m/s", "m/s", "m/s", {}},
      {Q::kWind, "dm/s", "décimas de m/s", "tenths of m/s", {{'/', 10}}},
      {Q::kWind, "km/h", "km/h", "km/h", {{'/', 3.6}}},
      {Q::kWind, "mph", "mph", "mph", {{'*', 0.44704}}},
      {Q::kWind, "kn", "nudos", "knots", {{'*', 1852}, {'/', 3600}}},
      {Q::kWind, "km/d", "km/d (recorrido)", "km/d (wind run)", {{'/', 86.4}}},
      {Q::kRadiation, "MJ", "MJ/m²/d", "MJ/m²/d", {}},
      {Q::kRadiation, "W", "W/m² (media del día)", "W/m² (the day's mean)", {{'*', 0.0864}}},
      {Q::kRadiation, "kWh", "kWh/m²/d", "kWh/m²/d", {{'*', 3.6}}},
      {Q::kRadiation, "J", "J/cm²/d", "J/cm²/d", {{'/', 100}}},
      {Q::kRadiation, "cal", "cal/cm²/d", "cal/cm²/d", {{'*', 0.041868}}},
      {Q::kRadiation, "kJ", "kJ/m²/d", "kJ/m²/d", {{'/', 1000}}},
      {Q::kHumidity, "%", "%", "%", {}},
      {Q::kHumidity, "frac", "fracción (0 a 1)", "fraction (0 to 1)", {{'*', 100}}},
      {Q::kPressure, "kPa", "kPa", "kPa", {}},
      {Q::kPressure, "hPa", "hPa", "hPa", {{'/', 10}}},
      {Q::kHourlyRadiation, "MJ/h", "MJ/m²/h", "MJ/m²/h", {}},
      {Q::kHourlyRadiation, "W/h", "W/m² (media del período)", "W/m² (the period's mean)", {{'*', 0.0036}}},
      {Q::kHourlyRadiation, "kJ/h", "kJ/m²/h", "kJ/m²/h", {{'/', 1000}}},
  };
  return kUnits;
}

double ToAddInUnit(const Unit& unit, double x) {
  for (const UnitStep& s : unit.steps) {
    switch (s.op) {
      case '*': x = x * s.constant; break;
      case '/': x = x / s.constant; break;
      case '-': x = x - s.constant; break;
      default: x = x + s.constant; break;
    }
  }
  return x;
}

}  // namespace torven
