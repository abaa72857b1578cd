// What the engine makes of a station file's columns: their roles from the
// names networks and the global daily datasets write, their units from the
// header, the row of units or a preamble line, the anemometer's height, and
// whether the rows are days or months.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "sheet/columns.h"

namespace {

using namespace torven;

ColumnFacts Column(const std::string& name, long numbers = 10, double high = 30) {
  ColumnFacts c;
  c.name = name;
  c.numbers = numbers;
  c.high = high;
  return c;
}

int ColumnOf(const std::vector<ColumnFacts>& columns, Role role) {
  return GuessColumns(columns).columns[static_cast<std::size_t>(role)];
}

TEST(Columns, RolesFromTheNamesNetworksWrite) {
  const struct {
    std::vector<std::string> header;
    Role role;
    int column;
  } cases[] = {
      {{"YEAR", "MO", "DY", "T2M_MAX", "T2M_MIN", "RH2M", "WS2M", "ALLSKY_SFC_SW_DWN"}, Role::kDay, 2},
      {{"YEAR", "MO", "DY", "T2M_MAX", "T2M_MIN", "RH2M", "WS2M", "ALLSKY_SFC_SW_DWN"}, Role::kTmax, 3},
      {{"YEAR", "MO", "DY", "T2M_MAX", "T2M_MIN", "RH2M", "WS2M", "ALLSKY_SFC_SW_DWN"}, Role::kRhMean, 5},
      {{"YEAR", "MO", "DY", "T2M_MAX", "T2M_MIN", "RH2M", "WS2M", "ALLSKY_SFC_SW_DWN"}, Role::kRadiation, 7},
      {{"YEAR", "DOY", "T2MDEW", "WS10M_MAX", "WS10M"}, Role::kDayOfYear, 1},
      {{"YEAR", "DOY", "T2MDEW", "WS10M_MAX", "WS10M"}, Role::kDewPoint, 2},
      {{"YEAR", "DOY", "T2MDEW", "WS10M_MAX", "WS10M"}, Role::kWind, 4},
      {{"Data Medicao", "TEMPERATURA MAXIMA, DIARIA(°C)", "UMIDADE RELATIVA DO AR, MEDIA", "INSOLACAO"}, Role::kDate, 0},
      {{"Data Medicao", "TEMPERATURA MAXIMA, DIARIA(°C)", "UMIDADE RELATIVA DO AR, MEDIA", "INSOLACAO"}, Role::kTmax, 1},
      {{"Data Medicao", "TEMPERATURA MAXIMA, DIARIA(°C)", "UMIDADE RELATIVA DO AR, MEDIA", "INSOLACAO"}, Role::kRhMean, 2},
      {{"Data Medicao", "TEMPERATURA MAXIMA, DIARIA(°C)", "UMIDADE RELATIVA DO AR, MEDIA", "INSOLACAO"}, Role::kSunshine, 3},
      {{"fecha", "temperatura_abrigo_150cm_maxima", "temperatura_abrigo_150cm_minima"}, Role::kTmin, 2},
      {{"Fecha", "Temperatura del Aire Máxima ºC", "Humedad Relativa Mínima %"}, Role::kTmax, 1},
      {{"Fecha", "Temperatura del Aire Máxima ºC", "Humedad Relativa Mínima %"}, Role::kRhMin, 2},
      {{"fecha", "Precipitación (mm)", "Dirección del viento", "Velocidad del viento"}, Role::kRain, 1},
      {{"fecha", "Precipitación (mm)", "Dirección del viento", "Velocidad del viento"}, Role::kWind, 3},
  };
  for (const auto& c : cases) {
    std::vector<ColumnFacts> columns;
    for (const std::string& name : c.header) columns.push_back(Column(name));
    EXPECT_EQ(ColumnOf(columns, c.role), c.column) << c.header[static_cast<std::size_t>(c.column)];
  }
  // A column with no number is no reading; a humidity above 100 is none.
  EXPECT_EQ(ColumnOf({Column("fecha"), Column("hr", 0)}, Role::kRhMean), -1);
  EXPECT_EQ(ColumnOf({Column("fecha"), Column("hr", 10, 350)}, Role::kRhMean), -1);
}

TEST(Columns, DaysOrMonthsAndTheAnemometersHeight) {
  std::vector<ColumnFacts> months = {Column("año"), Column("mes"), Column("tmax")};
  for (const char* m : {"1", "2", "3"}) months[1].dates.Add(m);
  EXPECT_TRUE(GuessColumns(months).monthly);
  for (const char* m : {"3", "3", "3", "3"}) months[1].dates.Add(m);  // a month row after row: days
  EXPECT_FALSE(GuessColumns(months).monthly);
  EXPECT_FALSE(GuessColumns({Column("YEAR"), Column("MO"), Column("DY")}).monthly);
  const std::pair<const char*, double> heights[] = {
      {"WS10M", 10}, {"WS2M", 2}, {"viento_10m", 10}, {"velocidad_viento_200cm", 2}, {"u2", 2}, {"viento (m/s)", 0}};
  for (const auto& [name, height] : heights)
    EXPECT_EQ(GuessColumns({Column("fecha"), Column(name)}).windHeight, height) << name;
}

TEST(Columns, UnitsFromTheHeaderTheUnitsRowOrThePreamble) {
  const std::string preamble =
      "-BEGIN HEADER-\nALLSKY_SFC_SW_DWN     CERES SYN1deg All Sky Surface Shortwave Downward Irradiance "
      "(kW-hr/m^2/day)\nT2M_MAX               MERRA-2 Temperature at 2 Meters Maximum (C)\n-END HEADER-\n";
  const struct {
    Quantity quantity;
    const char* name;
    const char* unitRow;
    double high;
    const char* unit;
  } cases[] = {
      {Quantity::kRadiation, "ALLSKY_SFC_SW_DWN", "", 8, "kWh"},
      {Quantity::kTemperature, "T2M_MAX", "", 40, "C"},
      {Quantity::kRadiation, "rs (W/m2)", "", 400, "W"},
      {Quantity::kRadiation, "Srad", "MJ/m2", 30, "MJ"},
      {Quantity::kRadiation, "Q", "J/cm2", 3000, "J"},
      {Quantity::kWind, "u2 (km/h)", "", 30, "km/h"},
      {Quantity::kWind, "Wndsp", "[knots]", 30, "kn"},
      {Quantity::kTemperature, "TX", "0.1 °C", 300, "dC"},
      {Quantity::kTemperature, "Tmax (°F)", "", 90, "F"},
      {Quantity::kHumidity, "rh", "", 0.9, "frac"},
      {Quantity::kPressure, "ea (hPa)", "", 20, "hPa"},
  };
  for (const auto& c : cases) {
    ColumnFacts column = Column(c.name, 10, c.high);
    column.unit = c.unitRow;
    EXPECT_STREQ(GuessUnit(c.quantity, column, preamble), c.unit) << c.name;
  }
}

}  // namespace
