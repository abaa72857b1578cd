// Export and calling-convention macros of the add-in's public functions.
//
// TORVEN_API    marks a function that the deliverable exports.  On Windows the
//               export table is given by the module-definition files in
//               exports/, so the macro adds nothing there (a dllexport would add
//               a second, wrongly named export).  On ELF it restores default
//               visibility, everything else being built hidden.
// TORVEN_CALL   the host's calling convention for everything it calls with
//               arguments: standard call (callee pops) on 32-bit Windows, the
//               platform's only convention elsewhere.
// TORVEN_CDECL  caller-cleans convention (the legacy variadic host routine).
#pragma once

#if defined(_WIN32)
#define TORVEN_API
#if defined(__i386__) || defined(_M_IX86)
#define TORVEN_CALL __stdcall
#define TORVEN_CDECL __cdecl
#else
#define TORVEN_CALL
#define TORVEN_CDECL
#endif
#else
#define TORVEN_API __attribute__((visibility("default")))
#define TORVEN_CALL
#define TORVEN_CDECL
#endif

namespace platform {
#if defined(_WIN32)
inline constexpr bool kWindows = true;
#else
inline constexpr bool kWindows = false;
#endif
inline constexpr bool k32Bit = sizeof(void*) == 4;
}  // namespace platform

// Marks a symbol that a host program exports to the add-in it loads (the
// substitute host's "MdCallBack12"); on 32-bit Windows the program links with
// --kill-at so that the export carries no decoration.
#if defined(_WIN32)
#define TORVEN_HOST_EXPORT __declspec(dllexport)
#else
#define TORVEN_HOST_EXPORT __attribute__((visibility("default")))
#endif
