// Whether a season's rows are its days, one a row, in order, and what the
// engine says when they are not, in both languages.
#include <gtest/gtest.h>

#include <cmath>
#include <string>
#include <vector>

#include "sheet/dates.h"
#include "sheet/season.h"

namespace {

using namespace torven;

constexpr double kUndated = NAN;
constexpr double kBlank = -1;  // a line without data

TEST(Season, WhatBreaksTheSeasonIsNamed) {
  const long first = static_cast<long>(SerialOfDate({2020, 4, 15}));  // a season of 5 days, to 19/04/2020
  const struct {
    std::vector<double> days;  // each row's day after the first (kUndated, kBlank)
    const char* spanish;       // "" when the season is whole
    const char* english;
    const char* endNote;       // in Spanish
  } cases[] = {
      {{-2, -1, 0, 1, 2, 3, 4, 5}, "", "", ""},
      {{0, 1, 2}, "", "", "El archivo termina el 17/04/2020, antes del fin de la temporada."},
      {{0, 1, 3, 4}, "falta el 17/04/2020 (entre las líneas 3 y 4)", "2020-04-17 is missing (between lines 3 and 4)", ""},
      {{0, 4}, "faltan 3 días, del 16/04/2020 al 18/04/2020 (entre las líneas 2 y 3)",
       "3 days are missing, 2020-04-16 to 2020-04-18", ""},
      {{0, 1, 1, 2, 3, 4}, "el 16/04/2020 se repite (líneas 3 y 4)", "2020-04-16 is repeated (lines 3 and 4)", ""},
      {{0, 1, kUndated, kUndated, 2, 3, 4}, "las líneas 4, 5 no tienen fecha (entre las líneas 3 y 6)",
       "lines 4, 5 have no date (between lines 3 and 6)", ""},
      {{0, 1, kBlank, 2, 3, 4}, "hay líneas sin datos entre las líneas 3 y 5", "there are lines without data", ""},
      {{0, 2, 1, 3, 4}, "las fechas retroceden en la línea 4 (16/04/2020)", "the dates go back on line 4", ""},
      {{1, 2, 3, 4}, "la temporada empieza el 15/04/2020 y el archivo no tiene ese día (su primer día de la temporada "
                     "es el 16/04/2020, línea 2)", "the season begins on 2020-04-15", ""},
      {{10, 11}, "del 15/04/2020 al 19/04/2020 ningún día está en el archivo", "no day is in the file", ""},
      {{0, 1, 1, 2, 2, 3, 3, 4, 4, 4, 4}, "; y 1 más.", "; and 1 more.", ""},
  };
  for (const auto& c : cases) {
    SeasonDays season(first, first + 4);
    long line = 2;
    for (const double d : c.days) {
      if (d == kBlank) season.NoData();
      else season.Row(std::isnan(d) ? d : static_cast<double>(first) + d + 0.25, line);
      ++line;
    }
    const std::string es = season.Problems(Language::kSpanish), en = season.Problems(Language::kEnglish);
    const bool whole = std::string(c.spanish).empty();
    EXPECT_EQ(season.Broken(), !whole) << es;
    EXPECT_NE(es.find(c.spanish), std::string::npos) << es;
    EXPECT_NE(en.find(c.english), std::string::npos) << en;
    EXPECT_EQ(es.find("Corrija el archivo o elija otra temporada.") != std::string::npos, !whole) << es;
    EXPECT_EQ(season.EndNote(Language::kSpanish), c.endNote) << es;
  }
}

}  // namespace
