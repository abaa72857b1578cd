// POSIX implementation of the platform interface's program side: what the
// substitute host and the tests need, not linked into the add-in.
#include <dlfcn.h>
#include <sys/resource.h>
#include <unistd.h>

#include "platform/platform.h"

namespace platform {

void* OpenLibrary(const char* path) { return dlopen(path, RTLD_NOW | RTLD_LOCAL); }

void* LibrarySymbol(void* library, const char* name) { return dlsym(library, name); }

void CloseLibrary(void* library) {
  if (library != nullptr) dlclose(library);
}

const char* LastLibraryError() {
  const char* e = dlerror();
  return e != nullptr ? e : "unknown error";
}

std::string ExecutableDirectory() {
  char path[4096];
  const ssize_t n = readlink("/proc/self/exe", path, sizeof path - 1);
  if (n <= 0) return ".";
  std::string p(path, static_cast<std::size_t>(n));
  const std::size_t slash = p.rfind('/');
  return slash == std::string::npos ? "." : p.substr(0, slash);
}

bool IsTerminal(std::FILE* stream) { return isatty(fileno(stream)) != 0; }

long PeakMemoryKilobytes() {
  rusage usage{};
  return getrusage(RUSAGE_SELF, &usage) == 0 ? usage.ru_maxrss : 0;
}

}  // namespace platform
