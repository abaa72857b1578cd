// A worksheet function as the spreadsheet knows it once an add-in has
// registered it: its name, procedure, category, help, arity and the names
// and help texts of its arguments (tools/hostsim/registration.h reads them
// from the 20 texts of the register request).
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

}  // namespace torven
