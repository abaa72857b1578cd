// Gaps in a station file: the codes networks write where a reading is
// missing, which read as an empty cell, so that FAO-56's procedures for
// missing data estimate the day.  The common ones are recognised (words,
// dashes, and sentinel numbers no reading of the variables can take); any
// other may be named (torven --missing).
#pragma once

#include <string>
#include <string_view>
#include <vector>

namespace torven {

// The common gap codes, as written (case does not count).
const std::vector<std::string>& CommonGapCodes();

// A set of gap codes, prepared once to be compared with many cells.
class GapCodes {
 public:
  GapCodes() = default;
  explicit GapCodes(std::vector<std::string> codes);
  bool Empty() const { return codes_.empty(); }
  // Which code a cell is (spaces around it aside, the case of ASCII letters
  // ignored; a number by its value, whatever its decimal mark and the zeros
  // that end it: -999, -999.0 and -999,00 are one code), or -1.
  int Index(std::string_view cell) const;

 private:
  std::vector<std::string> codes_;
  std::vector<std::string> cores_;  // as compared: trimmed, a number without its ending zeros
  bool first_[256] = {};            // the characters a code begins with (folded)
};

// The common codes, prepared.
const GapCodes& CommonGaps();


}  // namespace torven
