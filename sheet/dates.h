// Dates as the spreadsheet's 1900 date system holds them, for its YEAR,
// MONTH and DAY functions (AÑO, MES, DIA): a serial number of days, 1 being
// 1 January 1900, with the system's 29 February 1900 (serial 60, a day that
// never was, kept for compatibility) and serial 0 shown as 0 January 1900;
// or a date text, ISO aaaa-mm-dd always and dd/mm/aaaa as the
// Spanish-language spreadsheet writes it.
#pragma once

#include <string_view>

namespace torven {

struct CivilDate {
  int year = 0;
  int month = 0;
  int day = 0;
};

// The date of a serial number (its fraction, the time of day, dropped);
// false below 0 or after 31 December 9999 (serial 2958465), and for NaN.
bool DateOfSerial(double serial, CivilDate& date);

// The date a text names: aaaa-mm-dd, and dd/mm/aaaa when `dayFirst`; a
// day of the year 1900 to 9999 that the 1900 system knows (29/02/1900
// included).  False for any other text.
bool DateOfText(std::string_view text, bool dayFirst, CivilDate& date);

}  // namespace torven
