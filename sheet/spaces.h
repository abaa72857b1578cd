// The spaces around a cell's or a text's content, as the spreadsheet
// ignores them where it reads a number, a date or a gap code.
#pragma once

#include <string_view>

namespace torven {

inline std::string_view TrimSpaces(std::string_view text) {
  while (!text.empty() && text.front() == ' ') text.remove_prefix(1);
  while (!text.empty() && text.back() == ' ') text.remove_suffix(1);
  return text;
}

}  // namespace torven
