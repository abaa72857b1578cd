#include "tools/hostsim/registration.h"

#include <string_view>

#include "sheet/encoding.h"
#include "worksheet/catalogue.h"

namespace torven {

Function FromCatalogueRow(const XCHAR* const* row) {
  Function f;
  f.procedure = ToUtf8(row[worksheet::kProcedure]);
  f.name = ToUtf8(row[worksheet::kFunctionText]);
  f.category = ToUtf8(row[worksheet::kCategory]);
  f.helpTopic = ToUtf8(row[worksheet::kHelpTopic]);
  f.help = ToUtf8(row[worksheet::kFunctionHelp]);
  f.argumentNames = SplitArguments(ToUtf8(row[worksheet::kArgumentText]));
  // One letter per argument after the result's in the type text.
  const std::u16string_view typeText = row[worksheet::kTypeText];
  f.arity = typeText.empty() ? 0 : static_cast<int>(typeText.size()) - 1;
  for (int a = 0; a < f.arity && worksheet::kFirstArgumentHelp + a < worksheet::kCatalogueColumns; ++a)
    f.argumentHelp.push_back(ToUtf8(row[worksheet::kFirstArgumentHelp + a]));
  return f;
}

std::vector<std::string> SplitArguments(const std::string& text) {
  std::vector<std::string> names;
  std::string current;
  for (char c : text) {
    if (c == ',') {
      names.push_back(current);
      current.clear();
    } else if (!(current.empty() && c == ' ')) {
      current += c;
    }
  }
  if (!current.empty() || !names.empty()) names.push_back(current);
  return names;
}

}  // namespace torven
