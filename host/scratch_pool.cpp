// The scratch pool table: one pool per thread identifier, found by a scan of
// the slots in use.  The table's making, scan, slot assignment and growth are
// serialised by one lock; a thread's pieces come only from its own block.
#include <atomic>
#include <cstdlib>

#include "host/scratch.h"
#include "platform/platform.h"

namespace host {
namespace {

constexpr std::uint32_t kFreeSlot = 0xFFFFFFFFu;
constexpr std::int32_t kInitialCapacity = 4;

struct ScratchPool {
  std::uint32_t owner;
  unsigned char* block;
  std::size_t fill;
};

struct ScratchPoolTable {
  std::int32_t count;
  std::int32_t capacity;
  ScratchPool* slots;
};

// The table's lock.  It is held for a few dozen instructions, so a waiter
// yields and tries again; it cannot fail or throw (a mutex of the C++ library
// can, and would bring the library's thread and exception support into the
// add-in).
std::atomic<bool> tableHeld{false};

class TableGuard {
 public:
  TableGuard() {
    while (tableHeld.exchange(true, std::memory_order_acquire)) platform::YieldThread();
  }
  ~TableGuard() { tableHeld.store(false, std::memory_order_release); }
  TableGuard(const TableGuard&) = delete;
  TableGuard& operator=(const TableGuard&) = delete;
};
ScratchPoolTable table{0, 0, nullptr};  // slots null: not made yet

// Makes `n` free slots, each with a fresh block; null if the heap refuses
// (then nothing is kept).
ScratchPool* MakeSlots(std::int32_t n) {
  auto* slots = static_cast<ScratchPool*>(std::malloc(sizeof(ScratchPool) * static_cast<std::size_t>(n)));
  if (slots == nullptr) return nullptr;
  for (std::int32_t i = 0; i < n; ++i) {
    slots[i] = {kFreeSlot, static_cast<unsigned char*>(std::malloc(kScratchPoolBytes)), 0};
    if (slots[i].block == nullptr) {
      for (std::int32_t k = 0; k < i; ++k) std::free(slots[k].block);
      std::free(slots);
      return nullptr;
    }
  }
  return slots;
}

bool MakeTable() {
  ScratchPool* slots = MakeSlots(kInitialCapacity);
  if (slots == nullptr) return false;
  table = {0, kInitialCapacity, slots};
  return true;
}

// Doubles the capacity; the slots in use move whole, their blocks stay.
bool GrowTable() {
  const std::int32_t capacity = table.capacity * 2;
  ScratchPool* slots = MakeSlots(capacity);
  if (slots == nullptr) return false;
  for (std::int32_t i = 0; i < table.count; ++i) {
    std::free(slots[i].block);
    slots[i] = table.slots[i];
  }
  std::free(table.slots);
  table.slots = slots;
  table.capacity = capacity;
  return true;
}

// The calling thread's pool, made if needed; null when the heap refuses.
// Caller holds the table's lock.
ScratchPool* FindPool() {
  if (table.slots == nullptr && !MakeTable()) return nullptr;
  const std::uint32_t id = platform::CurrentThreadId();
  for (std::int32_t i = 0; i < table.count; ++i)
    if (table.slots[i].owner == id) return &table.slots[i];
  if (table.count >= table.capacity && !GrowTable()) return nullptr;
  ScratchPool* pool = &table.slots[table.count++];
  pool->owner = id;
  return pool;
}

}  // namespace

void* ScratchAlloc(std::size_t size) {
  TableGuard guard;
  ScratchPool* pool = FindPool();
  if (pool == nullptr || size == 0 || size > kScratchPoolBytes - pool->fill) return nullptr;
  void* piece = pool->block + pool->fill;
  pool->fill += size;
  return piece;
}

void ScratchRelease() {
  TableGuard guard;
  ScratchPool* pool = FindPool();
  if (pool != nullptr) pool->fill = 0;
}

void ScratchTeardown() {
  TableGuard guard;
  if (table.slots == nullptr) return;
  // A pool whose pieces are still held keeps its block: at the end of the
  // process another thread may still be using them.  (When the library is
  // unloaded no thread can hold one, and every block is freed.)
  for (std::int32_t i = 0; i < table.capacity; ++i)
    if (table.slots[i].fill == 0) std::free(table.slots[i].block);
  std::free(table.slots);
  table = {0, 0, nullptr};
}

void ScratchReleaseAll() { ScratchRelease(); }
void ScratchReleaseAll12() { ScratchRelease(); }

std::size_t ScratchFillLevel() {
  TableGuard guard;
  const std::uint32_t id = platform::CurrentThreadId();
  for (std::int32_t i = 0; i < table.count; ++i)
    if (table.slots[i].owner == id) return table.slots[i].fill;
  return 0;
}

int ScratchTableCount() {
  TableGuard guard;
  return table.count;
}

int ScratchTableCapacity() {
  TableGuard guard;
  return table.capacity;
}

}  // namespace host
