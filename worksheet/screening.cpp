#include "worksheet/screening.h"

namespace worksheet {
namespace {

void StoreError(XLOPER12& cell, std::int32_t code) {
  cell.val.err = code;
  cell.xltype = xl::kErr;
}

bool CrossChecksHold(const EntryRules& rules, int after, const double* values) {
  for (int c = 0; c < rules.crossCount; ++c) {
    const CrossCheck& check = rules.cross[c];
    if (check.after == after && !(values[check.lesser] <= values[check.greater])) return false;
  }
  return true;
}

}  // namespace

bool Screen(const EntryRules& rules, const XLOPER12* const* args, double* values,
            XLOPER12& cell) {
  for (int i = 0; i < rules.arity; ++i) {
    // A null pointer (never passed by the host) is treated as a wrong type.
    if (args[i] == nullptr) {
      StoreError(cell, xl::kErrValue);
      return false;
    }
    const XLOPER12& arg = *args[i];
    if (arg.xltype == xl::kErr) {
      StoreError(cell, arg.val.err);  // passed on unchanged
      return false;
    }
    if (arg.xltype != xl::kNum) {
      StoreError(cell, xl::kErrValue);
      return false;
    }
    values[i] = arg.val.num;
    if (!Accepts(rules.args[i], values[i]) || !CrossChecksHold(rules, i, values)) {
      StoreError(cell, xl::kErrNum);
      return false;
    }
  }
  return true;
}

XLOPER12* StoreResult(XLOPER12& cell, double r) {
  if (r <= -kMaxDouble || r >= kMaxDouble) {
    StoreError(cell, xl::kErrValue);
  } else {
    cell.val.num = r;
    cell.xltype = xl::kNum;
  }
  return &cell;
}

}  // namespace worksheet
