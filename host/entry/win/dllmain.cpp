// The library entry routine: records the instance handle, never refuses.
#include <windows.h>

#include "host/bridge.h"

// On a detach by FreeLibrary (reserved is null; not at process exit) the
// scratch pools are given back.
extern "C" BOOL WINAPI DllMain(HINSTANCE instance, DWORD reason, LPVOID reserved) {
  if (reason == DLL_PROCESS_DETACH && reserved == nullptr) host::LibraryUnload();
  return host::LibraryEntry(instance, reason);
}
