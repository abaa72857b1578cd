// The library entry routine: records the instance handle, never refuses.
#include <windows.h>

#include "host/bridge.h"

extern "C" BOOL WINAPI DllMain(HINSTANCE instance, DWORD reason, LPVOID /*reserved*/) {
  return host::LibraryEntry(instance, reason);
}
