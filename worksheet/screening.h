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

// Screens `rules.arity` arguments in order.  On success returns true with the
// numbers in `values`; otherwise writes the error form into `cell` and
// returns false.  Reads only each argument's type tag and number or error code.
bool Screen(const EntryRules& rules, const XLOPER12* const* args, double* values,
            XLOPER12& cell);

// Result check: #VALUE! for r <= -M or r >= M, else the number form (NaN
// included).  Returns &cell.
XLOPER12* StoreResult(XLOPER12& cell, double r);

}  // namespace worksheet
