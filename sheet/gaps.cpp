#include "sheet/gaps.h"

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

bool IsGap(std::string_view cell, std::string_view code) {
  while (!cell.empty() && cell.front() == ' ') cell.remove_prefix(1);
  while (!cell.empty() && cell.back() == ' ') cell.remove_suffix(1);
  return SameIgnoringCase(cell, code);
}

bool IsGap(std::string_view cell, const std::vector<std::string>& codes) {
  for (const std::string& code : codes)
    if (IsGap(cell, code)) return true;
  return false;
}

}  // namespace torven
