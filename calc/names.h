// The names under which Calc knows the functions.  A workbook saved by Calc
// stores every call as SERVICE.METHOD (ORG.TORVEN.CALC.VENTISOLA.ETPF56), so
// these names are permanent: renaming any of them breaks users' files.
#pragma once

#include <string_view>

namespace calc {

inline constexpr const char* kModule = "org.torven.calc";
inline constexpr const char* kInterface = "XVentisola";
inline constexpr const char* kService = "org.torven.calc.Ventisola";
// A method is named after its worksheet entry without this suffix.
inline constexpr std::string_view kEntrySuffix = "_XLL";

}  // namespace calc
