// The library entry routine on POSIX: runs when the library is loaded and
// records where it lies, as the Windows entry routine records its instance.
#include <dlfcn.h>

#include "host/bridge.h"

namespace {

__attribute__((constructor)) void OnLoad() {
  Dl_info info{};
  dladdr(reinterpret_cast<void*>(&OnLoad), &info);
  host::LibraryEntry(info.dli_fbase, 1);
}

// dlclose, or the end of the process (which an ELF destructor cannot tell
// apart): the scratch pools are given back, but for those whose pieces a
// thread still holds.
__attribute__((destructor)) void OnUnload() { host::LibraryUnload(); }

}  // namespace
