// The function catalogue: the registration data of every worksheet function,
// one row of 20 zero-terminated wide strings per function, in the order of
// the register request's arguments after the library's own name.
#pragma once

#include "host/records.h"

namespace worksheet {

inline constexpr int kCatalogueRows = 11;
inline constexpr int kCatalogueColumns = 20;

// Column numbers of a catalogue row.
enum CatalogueColumn : int {
  kProcedure = 0,
  kTypeText = 1,
  kFunctionText = 2,
  kArgumentText = 3,
  kMacroType = 4,
  kCategory = 5,
  kShortcut = 6,
  kHelpTopic = 7,
  kFunctionHelp = 8,
  kFirstArgumentHelp = 9,
};

extern const XCHAR* const kCatalogue[kCatalogueRows][kCatalogueColumns];

}  // namespace worksheet
