#include "tools/hostsim/addin.h"

#include "host/entry_call.h"
#include "platform/platform.h"
#include "tools/hostsim/host.h"

namespace hostsim {

AddIn::~AddIn() { Stop(); }

bool AddIn::Open(const std::string& path, std::string& error) {
  library_ = platform::OpenLibrary(path.c_str());
  if (library_ == nullptr) {
    error = "cannot load add-in '" + path + "': " + platform::LastLibraryError();
    return false;
  }
  return true;
}

void AddIn::Start() {
  using SetEntry = void(TORVEN_CALL*)(HostEntryPoint);
  if (auto set = reinterpret_cast<SetEntry>(Symbol("SetExcel12EntryPt")))
    set(&Dispatch);
  else if (auto set32 = reinterpret_cast<SetEntry>(Symbol("_SetExcel12EntryPt@4")))
    set32(&Dispatch);
  CallVoid("xlAutoOpen");
  started_ = true;
}

void AddIn::Stop() {
  if (library_ == nullptr) return;
  if (started_) CallVoid("xlAutoClose");
  started_ = false;
  platform::CloseLibrary(library_);
  library_ = nullptr;
}

void* AddIn::Symbol(const char* name) const {
  return library_ != nullptr ? platform::LibrarySymbol(library_, name) : nullptr;
}

int AddIn::CallVoid(const char* name) const {
  auto fn = reinterpret_cast<int(TORVEN_CALL*)()>(Symbol(name));
  return fn != nullptr ? fn() : -1;
}

XLOPER12* AddIn::CallProcedure(const char* name, int count, XLOPER12** args) const {
  void* fn = Symbol(name);
  return fn != nullptr ? torven::CallEntry(fn, count, args) : nullptr;
}

std::string NumericExportName(const std::string& name, const std::string& signature) {
  if (!platform::kWindows)  // the Itanium C++ mangling of name(signature)
    return "_Z" + std::to_string(name.size()) + name + signature;
  // The Microsoft decoration: Y, then G (stdcall, 32-bit) or A (cdecl), N for a
  // double result, one letter per argument (N double, H int), @Z.
  std::string decorated = "?" + name + "@@Y" + (platform::k32Bit ? "G" : "A") + "N";
  for (char c : signature) decorated += c == 'd' ? 'N' : 'H';
  return decorated + "@Z";
}

}  // namespace hostsim
