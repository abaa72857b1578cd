// Dates as the spreadsheet's 1900 date system holds them, for its YEAR,
// MONTH and DAY functions (AÑO, MES, DIA): a serial number of days, 1 being
// 1 January 1900, with the system's 29 February 1900 (serial 60, a day that
// never was, kept for compatibility) and serial 0 shown as 0 January 1900
// (a date of the years 1900 to 9999 only: other years are out of range);
// or a date text, ISO aaaa-mm-dd and dd-Mmm-aaaa (29-Feb-2020) always,
// dd/mm/aaaa as the Spanish-language spreadsheet writes it (mm/dd/yyyy as
// the English one does; '-' or '.' in place of '/' read alike), and any of them
// followed by a time of day (2020-02-29 12:00).
#pragma once

#include <string_view>

namespace torven {

struct CivilDate {
  int year = 0;
  int month = 0;
  int day = 0;
};

// Whether the 1900 system knows a date: the years 1900 to 9999, a month 1
// to 12, a day of it (29 February 1900 included).
bool IsDateOf1900System(const CivilDate& date);

// The days of a Gregorian year: 365, or 366 in a leap year.
int DaysInYear(int year);

// The date of a serial number (its fraction, the time of day, dropped);
// false below 0 or after 31 December 9999 (serial 2958465), and for NaN.
bool DateOfSerial(double serial, CivilDate& date);

// The date a text names: aaaa-mm-dd or dd-Mmm-aaaa (the month's English
// abbreviation, any case: 29-feb-2020); when `spanish` dd/mm/aaaa (or with
// '-' or '.': 20-03-2023, 20.03.2023) and the
// Spanish abbreviations (ene, abr, ago, dic) too, else mm/dd/yyyy; a day of the year 1900 to
// 9999 that the 1900 system knows (29/02/1900 included).  Spaces around it
// are ignored.  False for any other text.  `dayFirst` overrides the order of
// d/m/y (1) or m/d/y (0); -1 keeps the dialect's.
bool DateOfText(std::string_view text, bool spanish, CivilDate& date, int dayFirst = -1);

// The serial number of a date the 1900 system knows (60 for its 29
// February 1900).
double SerialOfDate(const CivilDate& date);

// The serial number of a date text (as DateOfText reads it) followed, after
// a space, by an optional time of day hh:mm or hh:mm:ss (the fraction of the
// day: 12:00 is .5).  False for any other text.
bool SerialOfDateText(std::string_view text, bool spanish, double& serial, int dayFirst = -1);

// The fraction of the day of a time text hh:mm or hh:mm:ss (12:00 is .5);
// false for any other text.
bool FractionOfTimeText(std::string_view text, double& fraction);

}  // namespace torven
