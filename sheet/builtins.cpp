// The spreadsheet's own functions in a formula, evaluated as the spreadsheet
// that loads the add-in evaluates them:
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
//   INT                the number (converted as SQRT converts it) rounded down.
//   DATE               year, month and day (each converted, truncated; a
//                      year 0 to 1899 is 1900 more; a month or day past its
//                      end carries into the next) as a serial; #NUM! for a
//                      date outside serials 0 to 31 December 9999.
//   LEFT, RIGHT        the first or last n characters (default 1) of a
//                      text, or of a number written with up to 15
//                      significant digits (a truth value as 1 or 0);
//                      n < 0 #VALUE!.
//   ABS                the absolute value (converted as SQRT converts).
//   LN                 the natural logarithm; #NUM! for x <= 0.
//   MIN, MAX           each argument: an error passes on (the first); a
//                      number counts; a cell's text, truth value or
//                      emptiness is skipped; a truth value, or a text that
//                      reads as a number, written in the formula counts
//                      (another text is #VALUE!); none counted is 0.
//   ROW                the sheet row of the formula's row, or of a reference.
//   SIN, COS, TAN      of radians (converted as SQRT converts); #NUM! for
//                      |x| of 2^27 or more, as the spreadsheet that loads
//                      the add-in answers.
//   ASIN, ACOS         radians; #NUM! for |x| above 1.
//   ATAN               radians, in (-pi/2, pi/2).
//   EXP                e to the power; #NUM! when the result is beyond a
//                      double.
//   PI                 no argument: pi to a double's precision.
//   AND, OR            each argument: an error passes on (the first), a
//                      number or truth value counts; a cell's text or empty
//                      cell is skipped, a text written in the formula is
//                      #VALUE!; none counted is #VALUE!.
#include "sheet/builtins.h"

#include <cmath>
#include <cstdio>
#include <limits>

#include "core/math.h"
#include "sheet/cell_values.h"
#include "sheet/dates.h"
#include "sheet/evaluator.h"
#include "sheet/names.h"

namespace torven {

namespace {

using Row = Evaluator::Row;

bool SquareRoot(Evaluator& ev, const Expr& e, const Row* row, XLOPER12& out) {
  XLOPER12 arg;
  ev.Eval(e.args[0], row, arg);
  double x = 0;
  if (xl::AnswerType(arg.xltype) == xl::kErr) out = arg;
  else if (!ev.Number(arg, x)) out = ErrorRecord(xl::kErrValue);
  else if (x < 0) out = ErrorRecord(xl::kErrNum);
  else out = NumberRecord(std::sqrt(x));
  return false;
}

// ISNUMBER (`blank` false) and ISBLANK.
template <bool blank>
bool Is(Evaluator& ev, const Expr& e, const Row* row, XLOPER12& out) {
  XLOPER12 arg;
  ev.Eval(e.args[0], row, arg);
  const std::uint32_t type = xl::AnswerType(arg.xltype);
  out = Record(xl::kBool);
  out.val.xbool = blank ? type == xl::kMissing || type == xl::kNil : type == xl::kNum;
  return false;
}

// YEAR, MONTH, DAY: the date's field `part`.
template <int CivilDate::*part>
bool DatePart(Evaluator& ev, const Expr& e, const Row* row, XLOPER12& out) {
  XLOPER12 arg;
  ev.Eval(e.args[0], row, arg);
  CivilDate date;
  double serial = 0;
  if (xl::AnswerType(arg.xltype) == xl::kErr) out = arg;
  else if (!ev.Number(arg, serial)) out = ErrorRecord(xl::kErrValue);
  else if (!DateOfSerial(serial, date)) out = ErrorRecord(xl::kErrNum);
  else out = NumberRecord(date.*part);
  return false;
}

// The first argument into `arg`; false, with `out` the error, when it is one.
bool FirstArgument(Evaluator& ev, const Expr& e, const Row* row, XLOPER12& arg, XLOPER12& out) {
  ev.Eval(e.args[0], row, arg);
  if (xl::AnswerType(arg.xltype) != xl::kErr) return true;
  out = arg;
  return false;
}

// The argument `i` as a number for arithmetic: false with `out` the error
// (its own, or #VALUE! for a text that reads as no number).
bool NumberArgument(Evaluator& ev, const Expr& e, std::size_t i, const Row* row, double& x, XLOPER12& out) {
  XLOPER12 arg;
  ev.Eval(e.args[i], row, arg);
  if (xl::AnswerType(arg.xltype) == xl::kErr) out = arg;
  else if (ev.Number(arg, x)) return true;
  else out = ErrorRecord(xl::kErrValue);
  return false;
}

bool Floor(Evaluator& ev, const Expr& e, const Row* row, XLOPER12& out) {
  if (double x = 0; NumberArgument(ev, e, 0, row, x, out)) out = NumberRecord(std::floor(x));
  return false;
}

bool Absolute(Evaluator& ev, const Expr& e, const Row* row, XLOPER12& out) {
  if (double x = 0; NumberArgument(ev, e, 0, row, x, out)) out = NumberRecord(std::fabs(x));
  return false;
}

bool NaturalLog(Evaluator& ev, const Expr& e, const Row* row, XLOPER12& out) {
  if (double x = 0; NumberArgument(ev, e, 0, row, x, out)) out = x > 0 ? NumberRecord(core::math::log(x)) : ErrorRecord(xl::kErrNum);
  return false;
}

// A function of one number (converted as SQRT converts): #NUM! where
// `holds` refuses the argument or the result is not finite.
template <double (*f)(double), bool (*holds)(double)>
bool Unary(Evaluator& ev, const Expr& e, const Row* row, XLOPER12& out) {
  if (double x = 0; NumberArgument(ev, e, 0, row, x, out)) {
    const double y = holds(x) ? f(x) : std::numeric_limits<double>::quiet_NaN();
    out = std::isfinite(y) ? NumberRecord(y) : ErrorRecord(xl::kErrNum);
  }
  return false;
}

constexpr double kTrigonometricLimit = 134217728;  // 2^27: the largest angle the spreadsheet takes, exclusive
bool AnyAngle(double x) { return std::fabs(x) < kTrigonometricLimit; }
bool UnitRange(double x) { return x >= -1 && x <= 1; }
bool AnyNumber(double) { return true; }

bool Pi(Evaluator&, const Expr&, const Row*, XLOPER12& out) {
  out = NumberRecord(3.141592653589793);
  return false;
}

// Evaluates each argument in turn and hands `take` its value and whether it
// is a cell's; the first error passes on.  False when an error, or `take`
// (having set `out`), ended the walk.
template <typename Take>
bool EachArgument(Evaluator& ev, const Expr& e, const Row* row, XLOPER12& out, Take take) {
  for (const Expr& a : e.args) {
    XLOPER12 v;
    const bool cell = ev.Eval(a, row, v);
    if (xl::AnswerType(v.xltype) == xl::kErr) {
      out = v;
      return false;
    }
    if (!take(v, cell)) return false;
  }
  return true;
}

// MIN (`most` false) and MAX.
template <bool most>
bool Extreme(Evaluator& ev, const Expr& e, const Row* row, XLOPER12& out) {
  bool counted = false;
  double best = 0;
  const bool done = EachArgument(ev, e, row, out, [&](const XLOPER12& v, bool cell) {
    double x = 0;
    if (xl::AnswerType(v.xltype) == xl::kNum) x = v.val.num;
    else if (cell) return true;  // a cell's text, truth value or emptiness
    else if (!ev.Number(v, x)) {
      out = ErrorRecord(xl::kErrValue);
      return false;
    }
    if (!counted || (most ? x > best : x < best)) best = x;
    counted = true;
    return true;
  });
  if (done) out = NumberRecord(best);
  return false;
}

bool RowOf(Evaluator& ev, const Expr& e, const Row*, XLOPER12& out) {
  if (e.args.empty() || e.args[0].kind == Expr::Kind::Column) {
    out = NumberRecord(static_cast<double>(ev.SheetRow()));
  } else if (e.args[0].kind == Expr::Kind::Reference) {
    const Expr& r = e.args[0];
    out = NumberRecord(static_cast<double>(r.fixedRow ? r.row : r.row + ev.SheetRow() - 2));
  } else {
    out = ErrorRecord(xl::kErrValue);
  }
  return false;
}

bool Date(Evaluator& ev, const Expr& e, const Row* row, XLOPER12& out) {
  double part[3] = {0, 0, 0};
  for (std::size_t i = 0; i < 3; ++i)
    if (!NumberArgument(ev, e, i, row, part[i], out)) return false;
  // Years 0 to 1899 are 1900 to 3799; the month carried into the year
  // (months counted from 0), then the days.
  double year = std::trunc(part[0]);
  if (year >= 0 && year < 1900) year += 1900;
  const double months = std::trunc(part[1]) - 1;
  year += std::floor(months / 12);
  if (!(year >= 1900 && year <= 9999)) {
    out = ErrorRecord(xl::kErrNum);
    return false;
  }
  const CivilDate first{static_cast<int>(year), static_cast<int>(months - 12 * std::floor(months / 12)) + 1, 1};
  const double serial = SerialOfDate(first) + std::trunc(part[2]) - 1;
  CivilDate date;
  out = DateOfSerial(serial, date) ? NumberRecord(serial) : ErrorRecord(xl::kErrNum);
  return false;
}

// LEFT (`right` false) and RIGHT.
template <bool right>
bool Characters(Evaluator& ev, const Expr& e, const Row* row, XLOPER12& out) {
  XLOPER12 arg;
  double n = 1;
  if (!FirstArgument(ev, e, row, arg, out)) return false;
  if (e.args.size() > 1 && !NumberArgument(ev, e, 1, row, n, out)) return false;
  if (n < 0) {
    out = ErrorRecord(xl::kErrValue);
    return false;
  }
  std::u16string& text = ev.NextText();
  text.assign(1, u'\0');
  const bool spanish = ev.Dialect() == Language::kSpanish;
  switch (xl::AnswerType(arg.xltype)) {
    case xl::kStr: text += TextOf(arg); break;
    case xl::kBool: text += arg.val.xbool != 0 ? u'1' : u'0'; break;  // a truth value as its number
    case xl::kNum: {
      char written[32];
      std::snprintf(written, sizeof written, "%.15g", arg.val.num);
      for (const char* c = written; *c; ++c) text += static_cast<char16_t>(*c == '.' && spanish ? ',' : *c);
      break;
    }
    default: break;  // an empty cell: ""
  }
  const std::size_t length = text.size() - 1;
  const std::size_t keep = n < static_cast<double>(length) ? static_cast<std::size_t>(n) : length;
  if (right) text.erase(1, length - keep);
  else text.resize(1 + keep);
  text[0] = static_cast<char16_t>(text.size() - 1);
  out = Record(xl::kStr);
  out.val.str = text.data();
  return false;
}

bool Choice(Evaluator& ev, const Expr& e, const Row* row, XLOPER12& out) {
  XLOPER12 condition;
  double x = 0;
  if (!FirstArgument(ev, e, row, condition, out)) return false;
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
  return ev.Eval(e.args[branch], row, out);
}

// AND (`all` true) and OR.
template <bool all>
bool Logical(Evaluator& ev, const Expr& e, const Row* row, XLOPER12& out) {
  bool result = all, counted = false;
  const bool done = EachArgument(ev, e, row, out, [&](const XLOPER12& v, bool cell) {
    const std::uint32_t type = xl::AnswerType(v.xltype);
    double x = 0;
    // A cell's text or emptiness is skipped; an omitted argument is FALSE.
    if (cell && (type == xl::kMissing || type == xl::kNil || type == xl::kStr)) return true;
    if (type == xl::kStr || !Operand(v, x)) {
      out = ErrorRecord(xl::kErrValue);
      return false;
    }
    counted = true;
    result = all ? result && x != 0 : result || x != 0;
    return true;
  });
  if (!done) return false;
  if (!counted) {
    out = ErrorRecord(xl::kErrValue);
    return false;
  }
  out = Record(xl::kBool);
  out.val.xbool = result ? 1 : 0;
  return false;
}

// One row per name: both languages (the Spanish-language spreadsheets write
// some with an accent, some without), the arity, the meaning.
constexpr BuiltinFunction kBuiltins[] = {
    {"YEAR", false, 1, 1, DatePart<&CivilDate::year>},    {"AÑO", true, 1, 1, DatePart<&CivilDate::year>},
    {"MONTH", false, 1, 1, DatePart<&CivilDate::month>},  {"MES", true, 1, 1, DatePart<&CivilDate::month>},
    {"DAY", false, 1, 1, DatePart<&CivilDate::day>},      {"DIA", true, 1, 1, DatePart<&CivilDate::day>},
    {"DÍA", true, 1, 1, DatePart<&CivilDate::day>},       {"SQRT", false, 1, 1, SquareRoot},
    {"RAIZ", true, 1, 1, SquareRoot},                     {"RAÍZ", true, 1, 1, SquareRoot},
    {"IF", false, 2, 3, Choice},                          {"SI", true, 2, 3, Choice},
    {"ISNUMBER", false, 1, 1, Is<false>},                 {"ESNUMERO", true, 1, 1, Is<false>},
    {"ESNÚMERO", true, 1, 1, Is<false>},                  {"ISBLANK", false, 1, 1, Is<true>},
    {"ESBLANCO", true, 1, 1, Is<true>},                   {"AND", false, 1, 255, Logical<true>},
    {"Y", true, 1, 255, Logical<true>},                   {"OR", false, 1, 255, Logical<false>},
    {"O", true, 1, 255, Logical<false>},                  {"INT", false, 1, 1, Floor},
    {"ENTERO", true, 1, 1, Floor},                        {"DATE", false, 3, 3, Date},
    {"FECHA", true, 3, 3, Date},                          {"LEFT", false, 1, 2, Characters<false>},
    {"IZQUIERDA", true, 1, 2, Characters<false>},         {"RIGHT", false, 1, 2, Characters<true>},
    {"DERECHA", true, 1, 2, Characters<true>},            {"ABS", false, 1, 1, Absolute},
    {"MIN", false, 1, 255, Extreme<false>},               {"MÍN", true, 1, 255, Extreme<false>},
    {"MAX", false, 1, 255, Extreme<true>},                {"MÁX", true, 1, 255, Extreme<true>},
    {"ROW", false, 0, 1, RowOf},                          {"FILA", true, 0, 1, RowOf},
    {"LN", false, 1, 1, NaturalLog},
    {"SIN", false, 1, 1, Unary<core::math::sin, AnyAngle>},  {"SENO", true, 1, 1, Unary<core::math::sin, AnyAngle>},
    {"COS", false, 1, 1, Unary<core::math::cos, AnyAngle>},  {"TAN", false, 1, 1, Unary<core::math::tan, AnyAngle>},
    {"ASIN", false, 1, 1, Unary<core::math::asin, UnitRange>},
    {"ASENO", true, 1, 1, Unary<core::math::asin, UnitRange>},
    {"ACOS", false, 1, 1, Unary<core::math::acos, UnitRange>},
    {"ATAN", false, 1, 1, Unary<core::math::atan, AnyNumber>},
    {"EXP", false, 1, 1, Unary<core::math::exp, AnyNumber>},
    {"PI", false, 0, 0, Pi}};

}  // namespace

const BuiltinFunction* FindBuiltin(const std::string& name) {
  const std::string upper = UpperName(name);
  for (const BuiltinFunction& f : kBuiltins)
    if (upper == f.name) return &f;
  return nullptr;
}

}  // namespace torven
