#include "sheet/gaps.h"

#include "sheet/spaces.h"

namespace torven {
namespace {

char Lower(char c) { return c >= 'A' && c <= 'Z' ? static_cast<char>(c - 'A' + 'a') : c; }

bool SameIgnoringCase(std::string_view a, std::string_view b) {
  if (a.size() != b.size()) return false;
  for (std::size_t i = 0; i < a.size(); ++i)
    if (Lower(a[i]) != Lower(b[i])) return false;
  return true;
}

}  // namespace

const std::vector<std::string>& CommonGapCodes() {
  // Sentinels: below -90 °C or above any reading of temperature, humidity,
  // radiation, wind or sunshine.
  static const std::vector<std::string> codes = {"NA",    "N/A",   "NaN",  "NO RECORD", "-",    "---", "s/d",
                                                 "n/d",   "-99.9", "-99,9", "-999",     "-9999", "9999"};
  return codes;
}

int GapIndex(std::string_view cell, const std::vector<std::string>& codes) {
  cell = TrimSpaces(cell);
  for (std::size_t i = 0; i < codes.size(); ++i)
    if (SameIgnoringCase(cell, codes[i])) return static_cast<int>(i);
  return -1;
}

}  // namespace torven
