// Argument screening of the worksheet entries, expressed as data.
//
// Each entry has one EntryRules: a range rule per argument, in argument order,
// and the cross checks with the argument after which each is applied.  One
// routine, Screen, reads the rules: an error argument is passed on, another
// non-number gives #VALUE!, a number out of range or a failed cross check
// gives #NUM!.  The first argument that fails decides.
#pragma once

#include <cstdint>

#include "host/records.h"

namespace worksheet {

// The largest finite double.
inline constexpr double kMaxDouble = 1.7976931348623157e308;

// How a bound is compared: <= (inclusive) or < (exclusive).
enum class Bound : std::uint8_t { Inclusive, Exclusive };

// low (kind) x (kind) high.  A value is accepted only when both comparisons
// hold, so NaN is never accepted.
struct RangeRule {
  double low;
  Bound lowKind;
  double high;
  Bound highKind;
};

constexpr RangeRule AtLeastAtMost(double low, double high) {  // low <= x <= high
  return {low, Bound::Inclusive, high, Bound::Inclusive};
}
constexpr RangeRule Between(double low, double high) {  // low < x < high
  return {low, Bound::Exclusive, high, Bound::Exclusive};
}
constexpr RangeRule AboveAtMost(double low, double high) {  // low < x <= high
  return {low, Bound::Exclusive, high, Bound::Inclusive};
}
constexpr RangeRule AtLeastBelow(double low, double high) {  // low <= x < high
  return {low, Bound::Inclusive, high, Bound::Exclusive};
}
constexpr RangeRule AbsAtMost(double limit) {  // |x| <= limit
  return AtLeastAtMost(-limit, limit);
}

constexpr bool Accepts(const RangeRule& rule, double x) {
  const bool aboveLow = rule.lowKind == Bound::Inclusive ? rule.low <= x : rule.low < x;
  const bool belowHigh = rule.highKind == Bound::Inclusive ? x <= rule.high : x < rule.high;
  return aboveLow && belowHigh;
}

// After argument `after` (0-based) has passed: args[lesser] <= args[greater].
struct CrossCheck {
  std::uint8_t after;
  std::uint8_t lesser;
  std::uint8_t greater;
};

inline constexpr int kMaxArguments = 10;
inline constexpr int kMaxCrossChecks = 2;

struct EntryRules {
  std::uint8_t arity;
  RangeRule args[kMaxArguments];
  std::uint8_t crossCount;
  CrossCheck cross[kMaxCrossChecks];
};

// Writes the error form into `cell`; returns false.
inline bool StoreError(XLOPER12& cell, std::int32_t code) {
  cell.val.err = code;
  cell.xltype = xl::kErr;
  return false;
}

// Screens one argument against its range rule; on failure the error form is
// in `cell`.  Reads only the type tag and the number or error code.
template <RangeRule Rule>
inline bool ScreenArgument(const XLOPER12* arg, double& value, XLOPER12& cell) {
  // A null pointer (never passed by the host) is treated as a wrong type.
  if (arg == nullptr) return StoreError(cell, xl::kErrValue);
  if (arg->xltype != xl::kNum) {
    // An error value is passed on unchanged; any other type is #VALUE!.
    return StoreError(cell, arg->xltype == xl::kErr ? arg->val.err : xl::kErrValue);
  }
  value = arg->val.num;
  if (!Accepts(Rule, value)) return StoreError(cell, xl::kErrNum);
  return true;
}

// The cross checks placed after argument I.
template <const EntryRules& Rules, int I>
inline bool CrossChecksHold(const double* values) {
  bool hold = true;
  for (int c = 0; c < Rules.crossCount; ++c) {
    const CrossCheck& check = Rules.cross[c];
    if (check.after == I) hold = hold && values[check.lesser] <= values[check.greater];
  }
  return hold;
}

template <const EntryRules& Rules, int I = 0>
inline bool ScreenFrom(const XLOPER12* const* args, double* values, XLOPER12& cell) {
  if constexpr (I == Rules.arity) {
    return true;
  } else {
    if (!ScreenArgument<Rules.args[I]>(args[I], values[I], cell)) return false;
    if (!CrossChecksHold<Rules, I>(values)) return StoreError(cell, xl::kErrNum);
    return ScreenFrom<Rules, I + 1>(args, values, cell);
  }
}

// Screens `Rules.arity` arguments in order.  On success returns true with the
// numbers in `values`; otherwise writes the error form into `cell` and
// returns false.  The rules are a compile-time table, so the compiler turns
// this one routine into each entry's straight chain of comparisons.
template <const EntryRules& Rules>
inline bool Screen(const XLOPER12* const* args, double* values, XLOPER12& cell) {
  return ScreenFrom<Rules>(args, values, cell);
}

// Result check: #VALUE! for r <= -M or r >= M, else the number form (NaN
// included).  Returns &cell.
XLOPER12* StoreResult(XLOPER12& cell, double r);

}  // namespace worksheet
