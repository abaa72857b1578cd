// A cell's value as the host holds it (a number, an error, a text or a
// truth value) and the text the spreadsheet shows for it.
#pragma once

#include <cstdint>
#include <string>

#include "host/records.h"
#include "sheet/names.h"

namespace torven {

// A result as the host holds it: number, error, text or boolean.
struct Value {
  std::uint32_t type = xl::kMissing;
  double number = 0;
  std::int32_t code = 0;
  std::u16string text;
};

// The text the host would show for a value: a number (the shortest digits
// that read back to it, positional from 1e-6 to below 1e21 and scientific
// outside (1000000, 0.0001, 1e+21), as JavaScript writes numbers; or
// `decimals` fixed decimals when >= 0; with a decimal comma when asked), an error literal or truth value in `language`, a text.
std::string Show(const Value& value, int decimals, bool decimalComma = false,
                 Language language = Language::kEnglish);

}  // namespace torven
