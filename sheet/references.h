// What a --csv job's formulas reach of the sheet, filled down from row 2
// (row 1 is the header; the file's columns come first, the added ones
// after them in their order): how many rows above and below the row
// evaluated they read, and which fixed rows.  A reference that would need a
// value not yet computed (an added column of a row below, or of this row
// not to the left of the formula's own) is circular, and refused; so is a
// reference beyond the last column (a column's name mistyped, most likely).
#pragma once

#include <string>
#include <vector>

#include "sheet/formula.h"

namespace torven {

struct Reach {
  long above = 0;              // rows above the evaluated one that are read
  long below = 0;              // rows below it to be read before it (file columns, and fixed rows at row 2)
  std::vector<long> fixedRows; // rows written with '$', from row 2
};

// The column's letters as the spreadsheet writes them (0: A, 26: AA).
std::string ColumnLetters(int column);

// `formulas`: the added columns' formulas, then those evaluated after them
// (which may read every added column of their row); `added`: how many
// columns the job adds to the file's `width`.  False with `error` naming
// the cells of a circular reference.
bool ReachOf(const std::vector<const Expr*>& formulas, int width, int added, Reach& reach, std::string& error);

}  // namespace torven
