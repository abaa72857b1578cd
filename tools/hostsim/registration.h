// What an add-in registered, as the spreadsheet reads it: the 20 texts of a
// register request (a catalogue row) as a worksheet function's record.
#pragma once

#include <string>
#include <vector>

#include "host/records.h"
#include "sheet/registered_function.h"

namespace torven {

// A worksheet function as a catalogue row (20 columns, in the order of the
// register request) registers it; no address.
Function FromCatalogueRow(const XCHAR* const* row);

// The argument names of a registered argument text ("Jdia,He (h), as"), as the
// function wizard shows them: split at commas, leading spaces dropped.
std::vector<std::string> SplitArguments(const std::string& text);

}  // namespace torven
