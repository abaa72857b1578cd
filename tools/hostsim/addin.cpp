#include "tools/hostsim/addin.h"

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
  return fn != nullptr ? CallWithArguments(fn, count, args) : nullptr;
}

XLOPER12* CallWithArguments(void* p, int count, XLOPER12** a) {
  // The entries take their arguments as read-only records.
  using Arg = const XLOPER12*;
  switch (count) {
    case 0: return reinterpret_cast<XLOPER12*(TORVEN_CALL*)()>(p)();
    case 1: return reinterpret_cast<XLOPER12*(TORVEN_CALL*)(Arg)>(p)(a[0]);
    case 2: return reinterpret_cast<XLOPER12*(TORVEN_CALL*)(Arg, Arg)>(p)(a[0], a[1]);
    case 3: return reinterpret_cast<XLOPER12*(TORVEN_CALL*)(Arg, Arg, Arg)>(p)(a[0], a[1], a[2]);
    case 4: return reinterpret_cast<XLOPER12*(TORVEN_CALL*)(Arg, Arg, Arg, Arg)>(p)(a[0], a[1], a[2], a[3]);
    case 5: return reinterpret_cast<XLOPER12*(TORVEN_CALL*)(Arg, Arg, Arg, Arg, Arg)>(p)(a[0], a[1], a[2], a[3], a[4]);
    case 6: return reinterpret_cast<XLOPER12*(TORVEN_CALL*)(Arg, Arg, Arg, Arg, Arg, Arg)>(p)(a[0], a[1], a[2], a[3], a[4], a[5]);
    case 7: return reinterpret_cast<XLOPER12*(TORVEN_CALL*)(Arg, Arg, Arg, Arg, Arg, Arg, Arg)>(p)(a[0], a[1], a[2], a[3], a[4], a[5], a[6]);
    case 8: return reinterpret_cast<XLOPER12*(TORVEN_CALL*)(Arg, Arg, Arg, Arg, Arg, Arg, Arg, Arg)>(p)(a[0], a[1], a[2], a[3], a[4], a[5], a[6], a[7]);
    case 9: return reinterpret_cast<XLOPER12*(TORVEN_CALL*)(Arg, Arg, Arg, Arg, Arg, Arg, Arg, Arg, Arg)>(p)(a[0], a[1], a[2], a[3], a[4], a[5], a[6], a[7], a[8]);
    case 10: return reinterpret_cast<XLOPER12*(TORVEN_CALL*)(Arg, Arg, Arg, Arg, Arg, Arg, Arg, Arg, Arg, Arg)>(p)(a[0], a[1], a[2], a[3], a[4], a[5], a[6], a[7], a[8], a[9]);
    case 11: return reinterpret_cast<XLOPER12*(TORVEN_CALL*)(Arg, Arg, Arg, Arg, Arg, Arg, Arg, Arg, Arg, Arg, Arg)>(p)(a[0], a[1], a[2], a[3], a[4], a[5], a[6], a[7], a[8], a[9], a[10]);
    case 12: return reinterpret_cast<XLOPER12*(TORVEN_CALL*)(Arg, Arg, Arg, Arg, Arg, Arg, Arg, Arg, Arg, Arg, Arg, Arg)>(p)(a[0], a[1], a[2], a[3], a[4], a[5], a[6], a[7], a[8], a[9], a[10], a[11]);
    case 13: return reinterpret_cast<XLOPER12*(TORVEN_CALL*)(Arg, Arg, Arg, Arg, Arg, Arg, Arg, Arg, Arg, Arg, Arg, Arg, Arg)>(p)(a[0], a[1], a[2], a[3], a[4], a[5], a[6], a[7], a[8], a[9], a[10], a[11], a[12]);
    case 14: return reinterpret_cast<XLOPER12*(TORVEN_CALL*)(Arg, Arg, Arg, Arg, Arg, Arg, Arg, Arg, Arg, Arg, Arg, Arg, Arg, Arg)>(p)(a[0], a[1], a[2], a[3], a[4], a[5], a[6], a[7], a[8], a[9], a[10], a[11], a[12], a[13]);
    case 15: return reinterpret_cast<XLOPER12*(TORVEN_CALL*)(Arg, Arg, Arg, Arg, Arg, Arg, Arg, Arg, Arg, Arg, Arg, Arg, Arg, Arg, Arg)>(p)(a[0], a[1], a[2], a[3], a[4], a[5], a[6], a[7], a[8], a[9], a[10], a[11], a[12], a[13], a[14]);
    case 16: return reinterpret_cast<XLOPER12*(TORVEN_CALL*)(Arg, Arg, Arg, Arg, Arg, Arg, Arg, Arg, Arg, Arg, Arg, Arg, Arg, Arg, Arg, Arg)>(p)(a[0], a[1], a[2], a[3], a[4], a[5], a[6], a[7], a[8], a[9], a[10], a[11], a[12], a[13], a[14], a[15]);
    default: return nullptr;
  }
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
