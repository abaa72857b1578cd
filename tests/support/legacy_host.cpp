// A substitute for the host's legacy call library: the routines behind its
// ordinals 2 (variadic) and 3 (array).  It answers the active sheet's
// identifier; for every other request it returns the argument count, so a
// test can see what was passed.
#include <cstdarg>
#include <cstring>

#include "host/records.h"

namespace {

constexpr IDSHEET kLegacySheet = 0x1E6A;

int Answer(int function, XLOPER* result, int count) {
  if (function != xl::kSheetId) return count;
  if (result == nullptr) return xl::kRetFailed;
  XLOPER r;
  std::memcpy(&r, result, sizeof r);
  r.val.mref.idSheet = kLegacySheet;
  std::memcpy(result, &r, sizeof r);
  return xl::kRetSuccess;
}

}  // namespace

extern "C" TORVEN_HOST_EXPORT int TORVEN_CDECL XLCALL32_ordinal_2(int function, XLOPER* result,
                                                                  int count, ...) {
  return Answer(function, result, count);
}

extern "C" TORVEN_HOST_EXPORT int TORVEN_CALL XLCALL32_ordinal_3(int function, XLOPER* result,
                                                                 int count, XLOPER** /*args*/) {
  return Answer(function, result, count);
}
