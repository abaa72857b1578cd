// The small portable interface over what the add-in takes from the operating
// system.  platform/posix and platform/win implement it with the same
// signatures; the build picks one.  Nothing above this header uses #ifdef,
// and nothing here knows the host's records: texts are 16-bit characters,
// routines untyped addresses that their callers cast.
#pragma once

#include <cstdint>
#include <cstdio>
#include <string>

namespace platform {

// --- Host process -----------------------------------------------------------------

// The host process's exported entry point named `name` (an 8-bit name), or
// null.  Windows: GetModuleHandleA(NULL) + GetProcAddress.  POSIX: the
// process's global symbols.
void* FindHostExport(const char* name);

// Identifier of the calling thread; never 0xFFFFFFFF.
std::uint32_t CurrentThreadId();

// Gives the rest of the calling thread's time slice to another thread.
void YieldThread();

// --- Legacy call library (XLCALL32, ordinals 2 and 3), bound at run time ---------

// The address of the routine behind ordinal 2 (variadic) or 3 (array), or
// null when the library or the ordinal is absent.  Bound on first use, then
// cached.  host/legacy_call.h gives them their types.
void* LegacyVariadicRoutine();
void* LegacyArrayRoutine();

// --- ANSI code page (Windows-1252 on POSIX) -----------------------------------------

// Converts n 16-bit characters to at most n bytes; returns the bytes written.
int WideToAnsi(const char16_t* src, int n, char* dst);
// Converts n bytes to at most n 16-bit characters; returns the characters written.
int AnsiToWide(const char* src, int n, char16_t* dst);

// --- Dynamic libraries (used by the substitute host and the tests) --------------------

void* OpenLibrary(const char* path);
void* LibrarySymbol(void* library, const char* name);
void CloseLibrary(void* library);
// A short description of the last OpenLibrary failure.
const char* LastLibraryError();

// --- Programs (the substitute host) ---------------------------------------------------

// The folder that holds the running program.
std::string ExecutableDirectory();
// True when `stream` is an interactive terminal.
bool IsTerminal(std::FILE* stream);
// Peak resident memory of this process in kilobytes (0 when unknown).
long PeakMemoryKilobytes();

}  // namespace platform
