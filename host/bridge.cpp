#include "host/bridge.h"

#include <atomic>
#include <cstdarg>

#include "host/legacy_call.h"
#include "host/scratch.h"
#include "platform/platform.h"

namespace host {
namespace {

// Set at most once, then never replaced.  Written only while null.
std::atomic<HostEntryPoint> hostEntry{nullptr};
std::atomic<void*> instanceHandle{nullptr};

constexpr std::uint32_t kProcessAttach = 1;

// Stores `entry` only if no entry point is set yet.
void StoreEntryIfUnset(HostEntryPoint entry) {
  HostEntryPoint expected = nullptr;
  hostEntry.compare_exchange_strong(expected, entry, std::memory_order_acq_rel);
}

template <typename Record>
void GatherArguments(va_list list, int count, Record** args) {
  for (int i = 0; i < count; ++i) args[i] = va_arg(list, Record*);
}

// For the call-and-release routines, which do not bound the count: a count
// that the local array cannot hold is passed on with no argument array
// rather than written past the array.
template <typename Record>
Record** GatherUnbounded(va_list list, int count, Record** storage) {
  if (count < 0 || count > kMaxHostArguments) return nullptr;
  GatherArguments(list, count, storage);
  return storage;
}

}  // namespace

void LocateHostEntry() {
  if (hostEntry.load(std::memory_order_acquire) != nullptr) return;
  void* found = platform::FindHostExport("MdCallBack12");
  if (found != nullptr) StoreEntryIfUnset(reinterpret_cast<HostEntryPoint>(found));
}

int HostCall(int function, XLOPER12* result, int count, ...) {
  LocateHostEntry();
  const HostEntryPoint entry = hostEntry.load(std::memory_order_acquire);
  if (entry == nullptr) return xl::kRetFailed;  // before the count test
  if (count < 0 || count > kMaxHostArguments) return xl::kRetInvCount;
  XLOPER12* args[kMaxHostArguments];
  va_list list;
  va_start(list, count);
  GatherArguments(list, count, args);
  va_end(list);
  return entry(function, count, args, result);
}

int HostCallArray(int function, XLOPER12* result, int count, XLOPER12** args) {
  LocateHostEntry();
  const HostEntryPoint entry = hostEntry.load(std::memory_order_acquire);
  if (entry == nullptr) return xl::kRetFailed;
  return entry(function, count, args, result);
}

int HostCallAndRelease(int function, XLOPER12* result, int count, ...) {
  XLOPER12* storage[kMaxHostArguments];
  va_list list;
  va_start(list, count);
  XLOPER12** args = GatherUnbounded(list, count, storage);
  va_end(list);
  const int code = HostCallArray(function, result, count, args);
  ScratchRelease();
  return code;
}

int LegacyHostCallAndRelease(int function, XLOPER* result, int count, ...) {
  XLOPER* storage[kMaxHostArguments];
  va_list list;
  va_start(list, count);
  XLOPER** args = GatherUnbounded(list, count, storage);
  va_end(list);
  const LegacyArrayCall call = LegacyArray();
  const int code = call != nullptr ? call(function, result, count, args)
                                   : xl::kRetFailed;
  ScratchRelease();
  return code;
}

int LibraryEntry(void* instance, std::uint32_t reason) {
  if (reason == kProcessAttach) instanceHandle.store(instance, std::memory_order_relaxed);
  return 1;
}

void LibraryUnload() { ScratchTeardown(); }

void* LibraryInstance() { return instanceHandle.load(std::memory_order_relaxed); }

}  // namespace host

// The host hands over its entry point; an export found in the host process
// takes precedence, and the first pointer stored stays.
void TORVEN_CALL SetExcel12EntryPt(HostEntryPoint entry) {
  host::LocateHostEntry();
  if (entry != nullptr) host::StoreEntryIfUnset(entry);
}
