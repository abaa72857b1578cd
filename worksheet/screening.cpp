#include "worksheet/screening.h"

namespace worksheet {

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
