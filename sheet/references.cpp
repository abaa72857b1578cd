#include "sheet/references.h"

#include <algorithm>

namespace torven {
namespace {

// The references of one formula, with the reach they add; false at the
// first circular one.  `own`: the formula's added column (width + k).
bool Visit(const Expr& e, int width, int added, int own, Reach& reach, std::string& error) {
  if (e.kind == Expr::Kind::Reference) {
    const int column = e.binding;
    const bool computed = column >= width && column < width + added;
    // Beyond the last column: most likely a column's name mistyped (RH2).
    if (column >= width + added) {
      error = "column " + std::to_string(e.column) + ": no column named '" + e.name + "', and as a cell reference " +
              "its column " + ColumnLetters(column) + " is beyond the last one, " + ColumnLetters(width + added - 1);
      return false;
    }
    // The rows below the evaluated one that this reference reads, at row 2.
    const long offset = e.row - 2;
    if (e.fixedRow && e.row >= 2) reach.fixedRows.push_back(e.row);
    if (!e.fixedRow && !computed) {
      reach.above = std::max(reach.above, -offset);
      reach.below = std::max(reach.below, offset);
    }
    if (!e.fixedRow && computed) reach.above = std::max(reach.above, -offset);
    // An added column: of a row above, or of this row left of the formula's own.
    if (computed && e.row >= 2 && (offset > 0 || (offset == 0 && column >= own))) {
      error = ColumnLetters(own) + "2 refers to " + e.name + ", which is not computed yet: a circular reference";
      return false;
    }
    return true;
  }
  for (const Expr& arg : e.args)
    if (!Visit(arg, width, added, own, reach, error)) return false;
  return true;
}

}  // namespace

std::string ColumnLetters(int column) {
  std::string letters;
  for (int n = column + 1; n > 0; n = (n - 1) / 26) letters.insert(letters.begin(), static_cast<char>('A' + (n - 1) % 26));
  return letters;
}

bool ReachOf(const std::vector<const Expr*>& formulas, int width, int added, Reach& reach, std::string& error) {
  for (std::size_t k = 0; k < formulas.size(); ++k)
    if (!Visit(*formulas[k], width, added, width + static_cast<int>(k), reach, error)) return false;
  std::sort(reach.fixedRows.begin(), reach.fixedRows.end());
  reach.fixedRows.erase(std::unique(reach.fixedRows.begin(), reach.fixedRows.end()), reach.fixedRows.end());
  // Row 2 is evaluated once the fixed rows below it are read.
  if (!reach.fixedRows.empty()) reach.below = std::max(reach.below, reach.fixedRows.back() - 2);
  return true;
}

}  // namespace torven
