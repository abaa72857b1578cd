#include "sheet/gaps.h"

#include "sheet/spaces.h"

namespace torven {
namespace {

char Lower(char c) { return c >= 'A' && c <= 'Z' ? static_cast<char>(c - 'A' + 'a') : c; }

// Letters in either case alike, and the two decimal marks.
char Folded(char c) { return c == ',' ? '.' : Lower(c); }

bool SameIgnoringCase(std::string_view a, std::string_view b) {
  if (a.size() != b.size()) return false;
  for (std::size_t i = 0; i < a.size(); ++i)
    if (Folded(a[i]) != Folded(b[i])) return false;
  return true;
}

// A number written with one decimal mark, without the zeros that end its
// decimals nor a mark left bare (-999.00 is -999, -99,90 is -99,9); any
// other text as it is.
std::string_view NumericCore(std::string_view s) {
  std::size_t marks = 0, at = 0;
  if (!s.empty() && (s[0] == '-' || s[0] == '+')) at = 1;
  if (at == s.size()) return s;
  for (std::size_t i = at; i < s.size(); ++i) {
    if (s[i] == '.' || s[i] == ',') ++marks;
    else if (s[i] < '0' || s[i] > '9') return s;
  }
  if (marks != 1) return s;
  while (s.back() == '0') s.remove_suffix(1);
  if (s.back() == '.' || s.back() == ',') s.remove_suffix(1);
  return s;
}

}  // namespace

const std::vector<std::string>& CommonGapCodes() {
  // Sentinels: below -90 °C or above any reading of temperature, humidity,
  // radiation, wind or sunshine.
  static const std::vector<std::string> codes = {"NA",  "N/A",   "NaN",  "NO RECORD", "-",   "---",
                                                 "s/d", "n/d",   "-99.9", "-999",    "-9999", "9999"};
  return codes;
}

GapCodes::GapCodes(std::vector<std::string> codes) : codes_(std::move(codes)) {
  for (const std::string& code : codes_) {
    cores_.emplace_back(NumericCore(TrimSpaces(code)));
    if (!cores_.back().empty()) first_[static_cast<unsigned char>(Folded(cores_.back()[0]))] = true;
  }
}

int GapCodes::Index(std::string_view cell) const {
  cell = TrimSpaces(cell);
  // Most cells begin with a character no code begins with: no need to look further.
  if (cell.empty() || !first_[static_cast<unsigned char>(Folded(cell[0]))]) return -1;
  cell = NumericCore(cell);
  for (std::size_t i = 0; i < cores_.size(); ++i)
    if (SameIgnoringCase(cell, cores_[i])) return static_cast<int>(i);
  return -1;
}

const GapCodes& CommonGaps() {
  static const GapCodes gaps(CommonGapCodes());
  return gaps;
}

}  // namespace torven
