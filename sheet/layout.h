// Where a station file's table begins and how its fields are separated,
// judged from its first block of text, as networks publish their files:
// explanations, logger banners or comment lines before the header (a header
// written as a comment, "# STN,YYYYMMDD,...", counts as one), a row of units
// below it, and fields separated by ',', ';', a tab or runs of spaces.
//
// The delimiter is the one that splits the most lines into the same number
// of fields (two or more); runs of spaces only when no other splits more.
// The header is the first line when it has that number of fields and names
// at least two of them (a preamble line padded with empty fields to the
// table's width is no header); when a preamble came before it, the line right above the first row of data (a
// row whose fields are mostly numbers, dates or gap codes that most lines
// after it match), or above the row of units there.
#pragma once

#include <string>
#include <string_view>
#include <vector>

#include "sheet/date_profile.h"

namespace torven {

struct TableLayout {
  char delimiter = ',';  // ',', ';', '\t', or ' ' for runs of spaces
  long headerLine = 1;   // 1-based line of the file
  long unitsLine = 0;    // the line of a row of units below the header; 0 when none
  std::size_t width = 0; // the rows' fields (the header may name fewer)
  std::vector<std::string> units;  // its fields
  // Numbers written with a decimal comma: with ';' between fields, or with
  // a tab or spaces when the rows' numbers have commas (12,5) more often than
  // points.
  bool decimalComma = false;
  // How each column writes its dates, over the rows of the sample.
  std::vector<DateProfile> dates;
  // Columns of fixed width that runs of spaces cannot split (a value that
  // fills its column touches the next, a missing one is blanks): every line
  // of one length, and many rows irregular as space-separated fields.
  bool fixedWidth = false;
  std::size_t lineLength = 0;  // the fixed-width lines' length
};

// `sample`: the file's first lines as text (the last one may be cut when
// `whole` is false).  `delimiter`: the one given, or 0 to find it.
// `headerLine`: the one given, or 0 to find it.
TableLayout DetectLayout(std::string_view sample, bool whole, char delimiter, long headerLine);

// A line's fields split at `delimiter` (quotes respected; runs of spaces one
// delimiter), spaces around each field dropped; a leading '#' of a comment
// line is dropped too.
std::vector<std::string_view> SplitLine(std::string_view line, char delimiter);

// Whether a header's field reads as a unit ("(°C)", "[m/s]", "mm", "%", "MJ/m2").
bool LooksLikeUnit(std::string_view field);

}  // namespace torven
