// A worksheet function as the spreadsheet knows it once an add-in has
// registered it: its name, procedure, category, help, arity and the names
// and help texts of its arguments, read from the 20 texts of the register
// request (a catalogue row).
#pragma once

#include <string>
#include <vector>

#include "host/records.h"

namespace torven {

struct Function {
  std::string name;  // worksheet name
  std::string procedure;
  std::string category;
  std::string helpTopic;
  std::string help;
  int arity = 0;  // from the type text: one letter per argument after the result
  std::vector<std::string> argumentNames;
  std::vector<std::string> argumentHelp;
  void* address = nullptr;
};

// A worksheet function as a catalogue row (20 columns, in the order of the
// register request) registers it; no address.
Function FromCatalogueRow(const XCHAR* const* row);

// The argument names of a registered argument text ("Jdia,He (h), as"), as the
// function wizard shows them: split at commas, leading spaces dropped.
std::vector<std::string> SplitArguments(const std::string& text);

}  // namespace torven
