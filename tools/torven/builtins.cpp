// The host's own functions in a formula, evaluated as the spreadsheet that
// loads the add-in evaluates them:
//   YEAR, MONTH, DAY   an error passes on; a number (a truth value, an empty
//                      cell as 0, a text that reads as a number or a date)
//                      is a serial of the 1900 system, #NUM! out of its
//                      range; any other text #VALUE!.
//   SQRT               an error passes on, a text is read as a number (else
//                      #VALUE!), an empty cell 0; a negative number #NUM!.
//   IF                 the condition: an error passes on, a text is #VALUE!,
//                      a number is true unless 0, an empty cell false.  Only
//                      the branch taken is evaluated, and a cell it gives is
//                      passed on as a cell; without a third argument a false
//                      condition gives FALSE, and an omitted branch
//                      (IF(c;;x)) gives 0.
//   ISNUMBER, ISBLANK  true for a number, for an empty cell; never an error.
//   AND, OR            each argument: an error passes on (the first), a
//                      number or truth value counts; a cell's text or empty
//                      cell is skipped, a text written in the formula is
//                      #VALUE!; none counted is #VALUE!.
#include <cmath>

#include "sheet/dates.h"
#include "tools/hostsim/host.h"
#include "tools/torven/cell_values.h"
#include "tools/torven/session.h"

namespace torven {

using B = Expr::Builtin;

bool Session::Builtin(const Expr& e, const Row* row, XLOPER12& out) {
  switch (e.builtin) {
    case B::kYear: case B::kMonth: case B::kDay: DatePart(e, row, out); return false;
    case B::kIf: return Choice(e, row, out);
    case B::kAnd: case B::kOr: Logical(e, row, out); return false;
    default: break;
  }
  XLOPER12 arg;
  Eval(e.args[0], row, arg);
  const std::uint32_t type = xl::AnswerType(arg.xltype);
  if (e.builtin == B::kIsNumber || e.builtin == B::kIsBlank) {
    out = Record(xl::kBool);
    out.val.xbool = e.builtin == B::kIsNumber ? type == xl::kNum : type == xl::kMissing || type == xl::kNil;
    return false;
  }
  // SQRT
  double x = 0;
  if (type == xl::kErr) out = arg;
  else if (!Number(arg, x)) out = ErrorRecord(xl::kErrValue);
  else if (x < 0) out = ErrorRecord(xl::kErrNum);
  else out = NumberRecord(std::sqrt(x));
  return false;
}

void Session::DatePart(const Expr& e, const Row* row, XLOPER12& out) {
  XLOPER12 arg;
  Eval(e.args[0], row, arg);
  CivilDate date;
  double serial = 0;
  if (xl::AnswerType(arg.xltype) == xl::kErr) out = arg;
  else if (!Number(arg, serial)) out = ErrorRecord(xl::kErrValue);
  else if (!DateOfSerial(serial, date)) out = ErrorRecord(xl::kErrNum);
  else out = NumberRecord(e.builtin == B::kYear ? date.year : e.builtin == B::kMonth ? date.month : date.day);
}

bool Session::Choice(const Expr& e, const Row* row, XLOPER12& out) {
  XLOPER12 condition;
  Eval(e.args[0], row, condition);
  double x = 0;
  if (xl::AnswerType(condition.xltype) == xl::kErr) {
    out = condition;
    return false;
  }
  if (!Operand(condition, x)) {
    out = ErrorRecord(xl::kErrValue);
    return false;
  }
  const std::size_t branch = x != 0 ? 1 : 2;
  if (branch >= e.args.size()) {
    out = Record(xl::kBool);  // no third argument: FALSE
    return false;
  }
  if (e.args[branch].kind == Expr::Kind::Empty) {
    out = NumberRecord(0);  // an omitted branch: 0
    return false;
  }
  return Eval(e.args[branch], row, out);
}

void Session::Logical(const Expr& e, const Row* row, XLOPER12& out) {
  const bool all = e.builtin == B::kAnd;
  bool result = all, counted = false;
  for (const Expr& a : e.args) {
    XLOPER12 v;
    const bool cell = Eval(a, row, v);
    const std::uint32_t type = xl::AnswerType(v.xltype);
    if (type == xl::kErr) {
      out = v;
      return;
    }
    double x = 0;
    // A cell's text or emptiness is skipped; an omitted argument is FALSE.
    const bool skipped = cell && (type == xl::kMissing || type == xl::kNil || type == xl::kStr);
    if (skipped) continue;
    if (type == xl::kStr || !Operand(v, x)) {
      out = ErrorRecord(xl::kErrValue);
      return;
    }
    counted = true;
    result = all ? result && x != 0 : result || x != 0;
  }
  if (!counted) {
    out = ErrorRecord(xl::kErrValue);
    return;
  }
  out = Record(xl::kBool);
  out.val.xbool = result ? 1 : 0;
}

}  // namespace torven
