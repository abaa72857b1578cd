#include "tools/torven/session.h"

#include "host/entry_call.h"
#include "platform/platform.h"
#include "tools/hostsim/host.h"
#include "tools/hostsim/registration.h"
#include "worksheet/catalogue.h"

namespace torven {

std::string DefaultAddInPath() {
  if (platform::kWindows) return platform::k32Bit ? "TORVEN32.xll" : "TORVEN64.xll";
  return platform::ExecutableDirectory() + "/libtorven.so";
}

bool Session::Load(const std::string& path, std::string& error) {
  if (!addIn_.Open(path, error)) return false;
  hostsim::Reset();
  addIn_.Start();
  std::vector<AddInFunction> entries;
  for (const auto& reg : hostsim::State().registry) {
    const XCHAR* row[worksheet::kCatalogueColumns];
    for (int c = 0; c < worksheet::kCatalogueColumns; ++c) row[c] = reg.columns[c].c_str();
    Function f = FromCatalogueRow(row);
    f.address = addIn_.Symbol(f.procedure.c_str());
    if (f.address == nullptr || f.arity > kMaxEntryArguments) continue;
    entries.push_back({f.name, f.arity, f.address});
    functions_.push_back(std::move(f));
  }
  if (functions_.empty()) {
    error = "the add-in '" + path + "' registered no function";
    return false;
  }
  SetAddInFunctions(entries);
  return true;
}

}  // namespace torven
