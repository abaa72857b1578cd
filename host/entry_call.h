// Calling a worksheet entry as the host calls it: by its address, with the
// record pointers of its arguments, for a result record the entry owns.
#pragma once

#include "host/records.h"

namespace torven {

// The most arguments an entry is called with.
inline constexpr int kMaxEntryArguments = 16;

// Calls the entry at `entry` with `count` (0..16) record pointers; null for
// another count.
XLOPER12* CallEntry(const void* entry, int count, XLOPER12** args);

}  // namespace torven
