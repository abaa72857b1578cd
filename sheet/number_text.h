// Texts read as numbers, the two ways the spreadsheet reads them:
//   a CSV cell      strictly: an optional sign, digits with at most one
//                   decimal mark, an exponent (1E-3); with a decimal comma,
//                   a lone ',' is the mark.  "nan", "inf" and the like are
//                   texts, as in the spreadsheet.
//   a text operand  where the spreadsheet's arithmetic, ^, SQRT and the date
//                   parts convert a text ("4"+1 is 5): spaces around, a sign,
//                   the dialect's decimal mark, an exponent, one trailing
//                   '%' (50% is 0.5); or a date text with an optional time
//                   of day, as its serial number in the 1900 date system, or
//                   a time of day alone (12:00 is 0.5).
#pragma once

#include <string_view>

namespace torven {

// A CSV cell's number; false when the cell is not one.
bool NumberOfCell(std::string_view cell, bool decimalComma, double& number);

// A text operand's number; false when the spreadsheet would give #VALUE!.
// `spanish`: the Spanish dialect (',' is the decimal mark, dd/mm/aaaa dates
// and the Spanish month abbreviations are read).  `dayFirst`: how a date
// d/m/y or m/d/y is read (-1 as the dialect writes it, 1 day first, 0 month first).
bool NumberOfText(std::string_view text, bool spanish, double& number, int dayFirst = -1);

}  // namespace torven
