#include "worksheet/wide_format.h"

namespace worksheet {

int FormatWide(XCHAR* out, std::size_t capacity, const XCHAR* format, const FormatArg* args,
               std::size_t count) {
  if (capacity == 0) return 0;
  std::size_t n = 0;
  auto put = [&](XCHAR c) {
    if (n + 1 < capacity) out[n++] = c;
  };
  const FormatArg* next = args;
  const FormatArg* const end = args + count;
  for (const XCHAR* f = format; *f != 0; ++f) {
    if (f[0] == u'%' && f[1] == u'h' && f[2] == u's') {
      if (next != end) {
        for (const XCHAR* t = next->text; t != nullptr && *t != 0; ++t) put(*t);
        ++next;
      }
      f += 2;
    } else if (f[0] == u'%' && f[1] == u'c') {
      if (next != end) put((next++)->character);
      f += 1;
    } else if (f[0] == u'%' && f[1] == u'%') {
      put(u'%');
      f += 1;
    } else {
      put(*f);
    }
  }
  out[n] = 0;
  return static_cast<int>(n);
}

}  // namespace worksheet
