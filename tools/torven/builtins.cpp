// The host's own functions in a formula, evaluated as the spreadsheet that
// loads the add-in evaluates them:
//   YEAR, MONTH, DAY   an error passes on; a number (a truth value, an empty
//                      argument as 0) is a serial of the 1900 system, #NUM!
//                      out of its range; a text is a date text, else #VALUE!.
//   SQRT               an error passes on, a text is #VALUE!, an empty cell
//                      0; a negative number #NUM!.
//   IF                 the condition: an error passes on, a text is #VALUE!,
//                      a number is true unless 0, an empty cell false.  Only
//                      the branch taken is evaluated; without a third
//                      argument a false condition gives FALSE, and an
//                      omitted branch (IF(c;;x)) gives 0.
//   ISNUMBER, ISBLANK  true for a number, for an empty cell; never an error.
//   AND, OR            each argument: an error passes on (the first), a
//                      number or truth value counts; a column's text or empty
//                      cell is skipped, a text written in the formula is
//                      #VALUE!; none counted is #VALUE!.
#include <cmath>

#include "sheet/dates.h"
#include "tools/hostsim/host.h"
#include "tools/torven/cell_values.h"
#include "tools/torven/session.h"

namespace torven {

using B = Expr::Builtin;

void Session::Builtin(const Expr& e, const std::vector<std::string>* row, XLOPER12& out) {
  switch (e.builtin) {
    case B::kYear: case B::kMonth: case B::kDay: return DatePart(e, row, out);
    case B::kIf: return Choice(e, row, out);
    case B::kAnd: case B::kOr: return Logical(e, row, out);
    default: break;
  }
  XLOPER12 arg = Record(xl::kMissing);
  if (!e.args.empty()) Eval(e.args[0], row, arg);
  const std::uint32_t type = xl::AnswerType(arg.xltype);
  if (e.builtin == B::kIsNumber || e.builtin == B::kIsBlank) {
    out = Record(xl::kBool);
    out.val.xbool = e.builtin == B::kIsNumber ? type == xl::kNum : type == xl::kMissing || type == xl::kNil;
    return;
  }
  // SQRT
  double x = 0;
  if (type == xl::kErr) out = arg;
  else if (!Operand(arg, x)) out = ErrorRecord(xl::kErrValue);
  else if (x < 0) out = ErrorRecord(xl::kErrNum);
  else out = Record(xl::kNum), out.val.num = std::sqrt(x);
}

void Session::DatePart(const Expr& e, const std::vector<std::string>* row, XLOPER12& out) {
  XLOPER12 arg = Record(xl::kMissing);
  if (!e.args.empty()) Eval(e.args[0], row, arg);
  CivilDate date;
  bool ok = true;
  std::int32_t failure = xl::kErrNum;
  double serial = 0;
  switch (xl::AnswerType(arg.xltype)) {
    case xl::kErr: out = arg; return;
    case xl::kStr:
      ok = DateOfText(ToUtf8(hostsim::CountedText(arg.val.str)), dialect_ == Language::kSpanish, date);
      failure = xl::kErrValue;
      break;
    default:
      if (!Operand(arg, serial)) ok = false, failure = xl::kErrValue;
      else ok = DateOfSerial(serial, date);
  }
  if (!ok) {
    out = ErrorRecord(failure);
    return;
  }
  out = Record(xl::kNum);
  out.val.num = e.builtin == B::kYear ? date.year : e.builtin == B::kMonth ? date.month : date.day;
}

void Session::Choice(const Expr& e, const std::vector<std::string>* row, XLOPER12& out) {
  XLOPER12 condition;
  Eval(e.args[0], row, condition);
  double x = 0;
  if (xl::AnswerType(condition.xltype) == xl::kErr) {
    out = condition;
    return;
  }
  if (!Operand(condition, x)) {
    out = ErrorRecord(xl::kErrValue);
    return;
  }
  const std::size_t branch = x != 0 ? 1 : 2;
  if (branch >= e.args.size()) {
    out = Record(xl::kBool);  // no third argument: FALSE
    return;
  }
  if (e.args[branch].kind == Expr::Kind::Empty) {
    out = Record(xl::kNum);  // an omitted branch: 0
    return;
  }
  Eval(e.args[branch], row, out);
}

void Session::Logical(const Expr& e, const std::vector<std::string>* row, XLOPER12& out) {
  const bool all = e.builtin == B::kAnd;
  bool result = all, counted = false;
  for (const Expr& a : e.args) {
    XLOPER12 v;
    Eval(a, row, v);
    const std::uint32_t type = xl::AnswerType(v.xltype);
    if (type == xl::kErr) {
      out = v;
      return;
    }
    double x = 0;
    // A column's empty cell or text is skipped; an omitted argument is FALSE.
    const bool skipped = a.kind == Expr::Kind::Column && (type == xl::kMissing || type == xl::kNil || type == xl::kStr);
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
