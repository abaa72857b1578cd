// The legacy call library's two routines (XLCALL32, ordinals 2 and 3) with
// their types: bound at run time by ordinal through the platform layer; null
// when the library or the ordinal is absent, and the caller answers 32.
#pragma once

#include "host/records.h"
#include "platform/export.h"
#include "platform/platform.h"

namespace host {

using LegacyVariadicCall = int(TORVEN_CDECL*)(int function, XLOPER* result, int count, ...);
using LegacyArrayCall = int(TORVEN_CALL*)(int function, XLOPER* result, int count,
                                          XLOPER** args);

inline LegacyVariadicCall LegacyVariadic() {
  return reinterpret_cast<LegacyVariadicCall>(platform::LegacyVariadicRoutine());
}

inline LegacyArrayCall LegacyArray() {
  return reinterpret_cast<LegacyArrayCall>(platform::LegacyArrayRoutine());
}

}  // namespace host
