// A session with one add-in, loaded as the host loads it: the functions it
// registered (with their help texts, for --list), handed to the evaluator
// with the addresses of their entries.
#pragma once

#include <string>
#include <vector>

#include "sheet/evaluator.h"
#include "sheet/registered_function.h"
#include "tools/hostsim/addin.h"

namespace torven {

class Session : public Evaluator {
 public:
  // Loads the add-in, hands over the entry point, runs xlAutoOpen and takes
  // the function list from what the add-in registered.
  bool Load(const std::string& path, std::string& error);

  const std::vector<Function>& Functions() const { return functions_; }
  hostsim::AddIn& AddIn() { return addIn_; }

 private:
  hostsim::AddIn addIn_;
  std::vector<Function> functions_;
};

// The add-in built next to this program.
std::string DefaultAddInPath();

}  // namespace torven
