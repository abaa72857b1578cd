// Value records as the evaluator builds them, and a value as an operand of
// the spreadsheet's arithmetic.
#pragma once

#include <cmath>
#include <cstring>
#include <string_view>

#include "host/records.h"

namespace torven {

inline XLOPER12 Record(std::uint32_t type) {
  XLOPER12 r;
  std::memset(&r, 0, sizeof r);
  r.xltype = type;
  return r;
}

inline XLOPER12 ErrorRecord(std::int32_t code) {
  XLOPER12 r = Record(xl::kErr);
  r.val.err = code;
  return r;
}

// The characters of a text record the evaluator built (counted, aligned).
inline std::u16string_view TextOf(const XLOPER12& v) {
  return v.val.str == nullptr ? std::u16string_view() : std::u16string_view(v.val.str + 1, v.val.str[0]);
}

// A number's record; #NUM! for a result out of range (infinite or NaN).
inline XLOPER12 NumberRecord(double x) {
  if (!std::isfinite(x)) return ErrorRecord(xl::kErrNum);
  XLOPER12 r = Record(xl::kNum);
  r.val.num = x;
  return r;
}

// A number for arithmetic as a cell holds it: a number, a boolean (1 or 0)
// or an empty cell (0); false for a text or anything else (a condition's
// text is #VALUE! unconverted; arithmetic reads it first, Session::Number).
inline bool Operand(const XLOPER12& v, double& x) {
  switch (xl::AnswerType(v.xltype)) {
    case xl::kNum: x = v.val.num; return true;
    case xl::kBool: x = v.val.xbool != 0 ? 1 : 0; return true;
    case xl::kMissing: case xl::kNil: x = 0; return true;
    default: return false;
  }
}

}  // namespace torven
