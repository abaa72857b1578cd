// A small formatter for 16-bit texts: the same output on every platform.
//
// Directives: "%hs" takes the next text argument, "%c" the next character
// argument, "%%" writes '%'.  Other characters are copied.  The output is
// always zero-terminated within `capacity` characters (truncated if needed).
#pragma once

#include <cstddef>
#include <initializer_list>

#include "host/records.h"

namespace worksheet {

struct FormatArg {
  const XCHAR* text;  // for %hs
  XCHAR character;    // for %c
};

inline FormatArg Text(const XCHAR* t) { return {t, 0}; }
inline FormatArg Char(XCHAR c) { return {nullptr, c}; }

// Returns the number of characters written, without the terminator.
int FormatWide(XCHAR* out, std::size_t capacity, const XCHAR* format, const FormatArg* args,
               std::size_t count);

inline int FormatWide(XCHAR* out, std::size_t capacity, const XCHAR* format,
                      std::initializer_list<FormatArg> args) {
  return FormatWide(out, capacity, format, args.begin(), args.size());
}

}  // namespace worksheet
