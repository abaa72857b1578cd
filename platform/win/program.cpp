// Windows implementation of the platform interface's program side: what the
// substitute host and the tests need, not linked into the add-in.
#include <windows.h>
#include <io.h>
#include <psapi.h>

#include <string>

#include "platform/platform.h"

namespace platform {

void* OpenLibrary(const char* path) { return reinterpret_cast<void*>(LoadLibraryA(path)); }

void* LibrarySymbol(void* library, const char* name) {
  return reinterpret_cast<void*>(GetProcAddress(static_cast<HMODULE>(library), name));
}

void CloseLibrary(void* library) {
  if (library != nullptr) FreeLibrary(static_cast<HMODULE>(library));
}

const char* LastLibraryError() {
  static char text[64];
  wsprintfA(text, "Windows error %lu", GetLastError());
  return text;
}

std::string ExecutableDirectory() {
  char path[MAX_PATH];
  const DWORD n = GetModuleFileNameA(nullptr, path, MAX_PATH);
  std::string p(path, n);
  const std::size_t slash = p.find_last_of("\\/");
  return slash == std::string::npos ? "." : p.substr(0, slash);
}

bool IsTerminal(std::FILE* stream) { return _isatty(_fileno(stream)) != 0; }

long PeakMemoryKilobytes() {
  PROCESS_MEMORY_COUNTERS counters{};
  if (!GetProcessMemoryInfo(GetCurrentProcess(), &counters, sizeof counters)) return 0;
  return static_cast<long>(counters.PeakWorkingSetSize / 1024);
}

}  // namespace platform
