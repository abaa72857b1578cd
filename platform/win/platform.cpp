// Windows implementation of the portable platform interface.
#include "platform/platform.h"

#include <windows.h>

#include <atomic>

namespace platform {

void* FindHostExport(const char* name) {
  HMODULE host = GetModuleHandleA(nullptr);
  if (host == nullptr) return nullptr;
  return reinterpret_cast<void*>(GetProcAddress(host, name));
}

std::uint32_t CurrentThreadId() { return GetCurrentThreadId(); }

void YieldThread() { SwitchToThread(); }

namespace {

// XLCALL32.DLL: the module already loaded in the process, else loaded by name.
HMODULE LegacyLibrary() {
  static std::atomic<HMODULE> module{nullptr};
  HMODULE m = module.load(std::memory_order_acquire);
  if (m != nullptr) return m;
  m = GetModuleHandleA("XLCALL32.DLL");
  if (m == nullptr) m = LoadLibraryA("XLCALL32.DLL");
  if (m != nullptr) module.store(m, std::memory_order_release);
  return m;
}

void* LegacyOrdinal(std::atomic<void*>& cache, WORD ordinal) {
  void* fn = cache.load(std::memory_order_acquire);
  if (fn != nullptr) return fn;
  HMODULE m = LegacyLibrary();
  if (m == nullptr) return nullptr;
  fn = reinterpret_cast<void*>(GetProcAddress(m, MAKEINTRESOURCEA(ordinal)));
  if (fn != nullptr) cache.store(fn, std::memory_order_release);
  return fn;
}

}  // namespace

void* LegacyVariadicRoutine() {
  static std::atomic<void*> cache{nullptr};
  return LegacyOrdinal(cache, 2);
}

void* LegacyArrayRoutine() {
  static std::atomic<void*> cache{nullptr};
  return LegacyOrdinal(cache, 3);
}

int WideToAnsi(const char16_t* src, int n, char* dst) {
  if (n <= 0) return 0;
  return WideCharToMultiByte(CP_ACP, 0, reinterpret_cast<LPCWCH>(src), n, dst, n, nullptr,
                             nullptr);
}

int AnsiToWide(const char* src, int n, char16_t* dst) {
  if (n <= 0) return 0;
  return MultiByteToWideChar(CP_ACP, 0, src, n, reinterpret_cast<LPWSTR>(dst), n);
}

}  // namespace platform
