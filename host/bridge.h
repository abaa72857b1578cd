// The host call bridge: finds the host's current-API entry point and forwards
// requests to it; the call-and-release routines release the calling thread's
// scratch pool after their request, whatever its outcome.
//
// Codes made by the bridge itself: 32 (no entry point) and 4 (HostCall with
// a count outside 0..255).  Every other code is the host's, unchanged.
#pragma once

#include <cstdint>

#include "host/records.h"
#include "platform/export.h"

extern "C" TORVEN_API void TORVEN_CALL SetExcel12EntryPt(HostEntryPoint entry);

namespace host {

inline constexpr int kMaxHostArguments = 255;

// Looks up "MdCallBack12" in the host process unless an entry point is set.
void LocateHostEntry();

int HostCall(int function, XLOPER12* result, int count, ...);
int HostCallArray(int function, XLOPER12* result, int count, XLOPER12** args);
int HostCallAndRelease(int function, XLOPER12* result, int count, ...);
int LegacyHostCallAndRelease(int function, XLOPER* result, int count, ...);

// The library's part of the library entry routine: records the instance
// handle on process attach (reason 1); always returns 1.
int LibraryEntry(void* instance, std::uint32_t reason);
// The library is being unloaded while the process goes on: gives back the
// scratch pools' memory.
void LibraryUnload();
void* LibraryInstance();

}  // namespace host
