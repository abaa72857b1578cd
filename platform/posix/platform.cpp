// POSIX implementation of the portable platform interface.
#include "platform/platform.h"

#include <dlfcn.h>
#include <pthread.h>
#include <sched.h>

#include <atomic>

namespace platform {

void* FindHostExport(const char* name) { return dlsym(RTLD_DEFAULT, name); }

std::uint32_t CurrentThreadId() {
  // A process-wide counter gives each thread a small identifier on first use.
  static std::atomic<std::uint32_t> next{1};
  static thread_local std::uint32_t id = 0;  // trivially destructible
  if (id == 0) id = next.fetch_add(1, std::memory_order_relaxed);
  return id;
}

void YieldThread() { sched_yield(); }

// The legacy call library has no ordinals here: its two routines are found
// among the process's global symbols under these names.
void* LegacyVariadicRoutine() { return dlsym(RTLD_DEFAULT, "XLCALL32_ordinal_2"); }

void* LegacyArrayRoutine() { return dlsym(RTLD_DEFAULT, "XLCALL32_ordinal_3"); }

namespace {

// Windows-1252 code points of the bytes 0x80..0x9F (undefined bytes map to
// the C1 control of the same value, as Windows does).
constexpr char16_t kHigh1252[32] = {
    0x20AC, 0x0081, 0x201A, 0x0192, 0x201E, 0x2026, 0x2020, 0x2021, 0x02C6, 0x2030, 0x0160,
    0x2039, 0x0152, 0x008D, 0x017D, 0x008F, 0x0090, 0x2018, 0x2019, 0x201C, 0x201D, 0x2022,
    0x2013, 0x2014, 0x02DC, 0x2122, 0x0161, 0x203A, 0x0153, 0x009D, 0x017E, 0x0178};

char16_t ByteToWide(unsigned char b) {
  if (b >= 0x80 && b < 0xA0) return kHigh1252[b - 0x80];
  return b;
}

char WideToByte(char16_t c) {
  if (c < 0x80 || (c >= 0xA0 && c <= 0xFF)) return static_cast<char>(c);
  for (unsigned i = 0; i < 32; ++i)
    if (kHigh1252[i] == c) return static_cast<char>(0x80 + i);
  return '?';  // the system's default character
}

}  // namespace

int WideToAnsi(const char16_t* src, int n, char* dst) {
  for (int i = 0; i < n; ++i) dst[i] = WideToByte(src[i]);
  return n < 0 ? 0 : n;
}

int AnsiToWide(const char* src, int n, char16_t* dst) {
  for (int i = 0; i < n; ++i) dst[i] = ByteToWide(static_cast<unsigned char>(src[i]));
  return n < 0 ? 0 : n;
}

}  // namespace platform
