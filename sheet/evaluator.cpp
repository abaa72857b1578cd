#include "sheet/evaluator.h"

#include <algorithm>
#include <cmath>
#include <cstring>

#include "core/math.h"
#include "host/entry_call.h"
#include "sheet/builtins.h"
#include "sheet/cell_values.h"
#include "sheet/gaps.h"
#include "sheet/number_text.h"

namespace torven {
namespace {

bool SameName(const std::string& a, const std::string& b) { return UpperName(a) == UpperName(b); }

// Levenshtein distance between two names.
std::size_t EditDistance(const std::string& a, const std::string& b) {
  std::vector<std::size_t> row(b.size() + 1);
  for (std::size_t j = 0; j <= b.size(); ++j) row[j] = j;
  for (std::size_t i = 1; i <= a.size(); ++i) {
    std::size_t diagonal = row[0];
    row[0] = i;
    for (std::size_t j = 1; j <= b.size(); ++j) {
      const std::size_t up = row[j];
      row[j] = std::min({row[j] + 1, row[j - 1] + 1, diagonal + (a[i - 1] == b[j - 1] ? 0 : 1)});
      diagonal = up;
    }
  }
  return row[b.size()];
}

// A character in upper case: the ASCII letters and those of Latin-1 (à to þ,
// but ÷), as UpperName does.
char16_t Upper(char16_t c) {
  if (c >= u'a' && c <= u'z') return static_cast<char16_t>(c - 0x20);
  if (c >= 0xE0 && c <= 0xFE && c != 0xF7) return static_cast<char16_t>(c - 0x20);
  return c;
}

// Two texts in the order of their upper-case characters: <0, 0 or >0.
int CompareWithoutCase(std::u16string_view a, std::u16string_view b) {
  for (std::size_t i = 0; i < a.size() && i < b.size(); ++i)
    if (Upper(a[i]) != Upper(b[i])) return Upper(a[i]) < Upper(b[i]) ? -1 : 1;
  return a.size() < b.size() ? -1 : a.size() > b.size() ? 1 : 0;
}

}  // namespace

void Evaluator::SetAddInFunctions(const std::vector<AddInFunction>& functions) {
  functions_.clear();
  for (const AddInFunction& f : functions)
    if (f.entry != nullptr && f.arity <= kMaxEntryArguments) functions_.push_back(f);
}

bool Evaluator::Bind(Expr& e, const std::vector<std::string>* header, std::string& error) const {
  if (e.kind == Expr::Kind::Reference) {
    if (header != nullptr) return true;
    error = "column " + std::to_string(e.column) + ": the cell reference '" + e.name +
            "' refers to a row of a CSV file (with --csv)";
    return false;
  }
  if (e.kind == Expr::Kind::Column) {
    if (header != nullptr) {
      for (std::size_t i = 0; i < header->size(); ++i)
        if ((*header)[i] == e.name) e.binding = static_cast<int>(i);
      if (e.binding >= 0) return true;
      // A name no column has, that reads as a cell reference (C2), is one.
      int column = 0;
      if (ReadCellReference(e.name, column, e.row, e.fixedRow)) {
        e.kind = Expr::Kind::Reference;
        e.binding = column;
        return true;
      }
      error = "column " + std::to_string(e.column) + ": no column named '" + e.name + "' in the CSV header";
    } else {
      error = "column " + std::to_string(e.column) + ": unknown name '" + e.name +
              "' (names stand for CSV columns, with --csv)";
    }
    return false;
  }
  if (e.kind == Expr::Kind::Chain || e.kind == Expr::Kind::Unary) {
    for (Expr& operand : e.args)
      if (!Bind(operand, header, error)) return false;
    return true;
  }
  if (e.kind != Expr::Kind::Call) return true;
  e.binding = -1;
  for (std::size_t i = 0; i < functions_.size(); ++i)
    if (SameName(functions_[i].name, e.name)) e.binding = static_cast<int>(i);
  if (const BuiltinFunction* b = e.binding < 0 ? FindBuiltin(e.name) : nullptr) {
    e.builtin = b;
    e.spanish = b->spanish;
    const auto given = static_cast<int>(e.args.size());
    if (given > b->maxArguments) return WrongArgumentCount(e, b->name, b->maxArguments, false, error);
    if (given < b->minArguments)
      return WrongArgumentCount(e, b->name, b->minArguments, b->minArguments != b->maxArguments, error);
    for (Expr& arg : e.args)
      if (!Bind(arg, header, error)) return false;
    return true;
  }
  if (e.binding < 0) {
    const std::string closest = ClosestName(e.name);
    error = "column " + std::to_string(e.column) + ": unknown function '" + e.name + "'" +
            (closest.empty() ? "" : "; did you mean " + closest + "?") + " (see --list)";
    return false;
  }
  const AddInFunction& f = functions_[static_cast<std::size_t>(e.binding)];
  if (static_cast<int>(e.args.size()) > f.arity) return WrongArgumentCount(e, f.name, f.arity, false, error);
  for (Expr& arg : e.args)
    if (!Bind(arg, header, error)) return false;
  return true;
}

bool Evaluator::WrongArgumentCount(const Expr& e, const std::string& name, int expected, bool atLeast,
                                 std::string& error) {
  const auto given = static_cast<int>(e.args.size());
  error = "column " + std::to_string(e.column) + ": " + name + " takes " + (atLeast ? "at least " : "") +
          std::to_string(expected) + " argument" + (expected == 1 ? "" : "s") + ", " + std::to_string(given) + " given";
  // PVSF56(20,5): most likely a decimal comma.
  if (given > expected && e.commaSeparated)
    error += "; if ',' was meant as a decimal comma, write ';' between the arguments or pass --decimal-comma";
  return false;
}

std::string Evaluator::ClosestName(const std::string& name) const {
  std::string upper;
  for (char c : name) upper += static_cast<char>(std::toupper(static_cast<unsigned char>(c)));
  std::string best;
  std::size_t bestDistance = 3;  // at most two edits away, or a name it begins
  for (const AddInFunction& f : functions_) {
    // JDIA -> JDIA.VENTISOLA: the worksheet name extends the one written.
    if (f.name.size() > upper.size() && f.name.compare(0, upper.size(), upper) == 0 &&
        f.name[upper.size()] == '.')
      return f.name;
    const std::size_t d = EditDistance(upper, f.name);
    if (d < bestDistance) bestDistance = d, best = f.name;
  }
  return best;
}

std::u16string& Evaluator::NextText() {
  if (textsUsed_ == texts_.size()) texts_.emplace_back();
  return texts_[textsUsed_++];
}

void Evaluator::Cell(const std::string& cell, XLOPER12& out) {
  if (cell.empty() || (!gaps_.Empty() && gaps_.Index(cell) >= 0)) {
    out = Record(xl::kMissing);
    return;
  }
  if (double number; NumberOfCell(cell, decimalComma_, number)) {
    out = Record(xl::kNum);
    out.val.num = number;
    return;
  }
  // Truth values and errors, in either language; the file's text as UTF-8.
  const bool ascii = std::all_of(cell.begin(), cell.end(), [](char c) { return static_cast<unsigned char>(c) < 0x80; });
  std::string converted;
  if (!ascii && cellEncoding_ == Encoding::kWindows1252) converted = Windows1252ToUtf8(cell);
  const std::string_view decoded = converted.empty() ? std::string_view(cell) : converted;
  if (const int truth = TruthValue(decoded); truth >= 0) {
    out = Record(xl::kBool);
    out.val.xbool = truth;
    return;
  }
  if (const std::int32_t code = ErrorCode(decoded); code >= 0) {
    out = Record(xl::kErr);
    out.val.err = code;
    return;
  }
  // Counted, into the evaluation's store (ASCII, the common case, without
  // a conversion of its own); a cell holds no more than kMaxCellText.
  std::u16string& text = NextText();
  text.assign(1, u'\0');
  if (ascii)
    text.append(decoded.begin(), decoded.end());
  else
    text += FromUtf8(decoded);
  if (text.size() > kMaxCellText + 1) text.resize(kMaxCellText + 1);
  text[0] = static_cast<char16_t>(text.size() - 1);
  out = Record(xl::kStr);
  out.val.str = text.data();
}

bool Evaluator::Eval(const Expr& e, const Row* row, XLOPER12& out) {
  switch (e.kind) {
    case Expr::Kind::Number:
      out = Record(xl::kNum);
      out.val.num = e.number;
      return false;
    case Expr::Kind::Text:
      out = Record(xl::kStr);
      out.val.str = const_cast<XCHAR*>(e.text.data());
      return false;
    case Expr::Kind::Boolean:
      out = Record(xl::kBool);
      out.val.xbool = e.boolean ? 1 : 0;
      return false;
    case Expr::Kind::Error:
      out = ErrorRecord(e.error);
      return false;
    case Expr::Kind::Empty:
      out = Record(xl::kMissing);
      return false;
    case Expr::Kind::Column:
      ReadColumn(e, row, out);
      return true;
    case Expr::Kind::Reference:
      ReadReference(e, row, out);
      return true;
    case Expr::Kind::Chain:
      Chain(e, row, out);
      return false;
    case Expr::Kind::Unary:
      return Unary(e, row, out);
    case Expr::Kind::Call: break;
  }
  if (e.builtin != nullptr) return e.builtin->evaluate(*this, e, row, out);
  CallAddIn(e, row, out);
  return false;
}

// A call of the add-in's function through its entry, as the host makes it:
// each argument's record (too few are passed as omitted), the result cell
// copied out before the next call.
void Evaluator::CallAddIn(const Expr& e, const Row* row, XLOPER12& out) {
  const AddInFunction& f = functions_[static_cast<std::size_t>(e.binding)];
  XLOPER12 args[kMaxEntryArguments];
  XLOPER12* pointers[kMaxEntryArguments];
  for (int i = 0; i < f.arity; ++i) {
    if (static_cast<std::size_t>(i) < e.args.size()) Eval(e.args[static_cast<std::size_t>(i)], row, args[i]);
    else args[i] = Record(xl::kMissing);
    pointers[i] = &args[i];
  }
  const XLOPER12* result = CallEntry(f.entry, f.arity, pointers);
  if (result == nullptr) {
    out = ErrorRecord(xl::kErrValue);
    return;
  }
  std::memcpy(&out, result, sizeof out);  // at any alignment
  if (xl::AnswerType(out.xltype) == xl::kStr) {  // the entry's text, counted, into the store
    XCHAR count = 0;
    if (out.val.str != nullptr) std::memcpy(&count, out.val.str, sizeof count);
    std::u16string& text = NextText();
    text.assign(count + 1u, u'\0');
    if (out.val.str != nullptr) std::memcpy(text.data(), out.val.str, sizeof(XCHAR) * (count + 1u));
    out.val.str = text.data();
  }
  // A cell cannot hold a number that is not finite: the spreadsheet shows #NUM!.
  if (xl::AnswerType(out.xltype) == xl::kNum && !std::isfinite(out.val.num)) out = ErrorRecord(xl::kErrNum);
  if (watcher_ != nullptr) watcher_->Called(f, pointers, f.arity, out);
}

const AddInFunction* Evaluator::FunctionNamed(std::string_view name) const {
  const auto f = std::find_if(functions_.begin(), functions_.end(),
                              [&](const AddInFunction& g) { return g.name == name; });
  return f == functions_.end() ? nullptr : &*f;
}

bool Evaluator::CallWithNumbers(const AddInFunction& function, std::initializer_list<double> numbers,
                                double& result) const {
  const AddInFunction* f = &function;
  if (numbers.size() != static_cast<std::size_t>(f->arity)) return false;
  XLOPER12 args[kMaxEntryArguments];
  XLOPER12* pointers[kMaxEntryArguments];
  int i = 0;
  for (const double x : numbers) {
    args[i] = NumberRecord(x);
    pointers[i] = &args[i];
    ++i;
  }
  const XLOPER12* answer = CallEntry(f->entry, f->arity, pointers);
  if (answer == nullptr) return false;
  XLOPER12 out;
  std::memcpy(&out, answer, sizeof out);
  if (xl::AnswerType(out.xltype) != xl::kNum || !std::isfinite(out.val.num)) return false;
  result = out.val.num;
  return true;
}

void Evaluator::ReadColumn(const Expr& e, const Row* row, XLOPER12& out) {
  const auto column = static_cast<std::size_t>(e.binding);
  if (row == nullptr || e.binding < 0 || column >= row->size()) {
    out = Record(xl::kMissing);
    return;
  }
  if (column >= cells_.size()) {
    cells_.resize(column + 1);
    cellEvaluation_.resize(column + 1, 0);
  }
  if (cellEvaluation_[column] != evaluation_) {
    Cell((*row)[column], cells_[column]);
    cellEvaluation_[column] = evaluation_;
  }
  out = cells_[column];
}

// A reference, filled down from row 2: a relative row moves with the row
// evaluated, a fixed one stays.  This row's file cell is read as a column
// name reads it; any other cell through the sheet (empty beyond it).
void Evaluator::ReadReference(const Expr& e, const Row* row, XLOPER12& out) {
  const long target = e.fixedRow ? e.row : e.row + sheetRow_ - 2;
  if (target == sheetRow_ && row != nullptr && static_cast<std::size_t>(e.binding) < row->size()) {
    ReadColumn(e, row, out);
    return;
  }
  const SheetCell cell = sheet_ != nullptr ? sheet_->At(target, e.binding) : SheetCell{};
  if (cell.text != nullptr) {
    Cell(*cell.text, out);
    return;
  }
  if (cell.value == nullptr) {
    out = Record(xl::kMissing);
    return;
  }
  const Value& v = *cell.value;
  switch (v.type) {
    case xl::kNum: out = NumberRecord(v.number); break;
    case xl::kErr: out = ErrorRecord(v.code); break;
    case xl::kBool: out = Record(xl::kBool), out.val.xbool = v.code; break;
    case xl::kStr: {
      std::u16string& text = NextText();
      text.assign(1, static_cast<char16_t>(v.text.size()));
      text += v.text;
      out = Record(xl::kStr);
      out.val.str = text.data();
      break;
    }
    default: out = Record(xl::kMissing);
  }
}

bool Evaluator::Number(const XLOPER12& v, double& x) {
  if (xl::AnswerType(v.xltype) != xl::kStr) return Operand(v, x);
  // The row's date cell is read by YEAR, MONTH and DAY alike: once.
  if (v.val.str == lastText_.counted && dialect_ == lastText_.dialect) {
    x = lastText_.number;
    return lastText_.read;
  }
  lastText_ = {v.val.str, dialect_, ReadNumber(TextOf(v), x), x};
  return lastText_.read;
}

bool Evaluator::ReadNumber(std::u16string_view text, double& x) const {
  const bool spanish = dialect_ == Language::kSpanish;
  // A short ASCII text (every number and date is one) read without a copy
  // on the heap.
  char ascii[64];
  if (text.size() <= sizeof ascii &&
      std::all_of(text.begin(), text.end(), [](char16_t c) { return c < 0x80; })) {
    for (std::size_t i = 0; i < text.size(); ++i) ascii[i] = static_cast<char>(text[i]);
    return NumberOfText({ascii, text.size()}, spanish, x, dayFirst_);
  }
  return NumberOfText(ToUtf8(text), spanish, x, dayFirst_);
}

// One binary operator of the spreadsheet's arithmetic: the first error
// operand wins, a text that reads as no number gives #VALUE!, a division by
// zero #DIV/0!, a result out of range #NUM!.
XLOPER12 Evaluator::Combine(char op, const XLOPER12& left, const XLOPER12& right) {
  if (xl::AnswerType(left.xltype) == xl::kErr) return left;
  if (xl::AnswerType(right.xltype) == xl::kErr) return right;
  if (op == '=' || op == '<' || op == '>' || op == kNotEqual || op == kAtMost || op == kAtLeast)
    return Compare(op, left, right);
  double x = 0, y = 0;
  if (!Number(left, x) || !Number(right, y)) return ErrorRecord(xl::kErrValue);
  double r = 0;
  switch (op) {
    case '+': r = x + y; break;
    case '-': r = x - y; break;
    case '*': r = x * y; break;
    case '/':
      if (y == 0) return ErrorRecord(xl::kErrDiv0);
      r = x / y;
      break;
    default:  // '^'
      if (x == 0 && y == 0) return ErrorRecord(xl::kErrNum);
      if (x == 0 && y < 0) return ErrorRecord(xl::kErrDiv0);
      r = core::math::pow(x, y);
  }
  return NumberRecord(r);
}

// A comparison as the spreadsheet makes it (neither operand an error): an
// empty cell is 0, "" or FALSE beside a number, a text or a truth value;
// numbers are less than texts, texts less than truth values; texts compare
// without case; numbers equal when they differ in the last bits only (as
// 0.1+0.2 = 0.3).  Nothing is converted: "1" = 1 is FALSE.
XLOPER12 Evaluator::Compare(char op, const XLOPER12& left, const XLOPER12& right) {
  auto rank = [](std::uint32_t type) { return type == xl::kNum ? 0 : type == xl::kStr ? 1 : 2; };
  std::uint32_t a = xl::AnswerType(left.xltype), b = xl::AnswerType(right.xltype);
  const bool emptyA = a == xl::kMissing || a == xl::kNil, emptyB = b == xl::kMissing || b == xl::kNil;
  if (emptyA) a = emptyB ? xl::kNum : b;
  if (emptyB) b = a;
  int order = 0;  // <0, 0, >0
  if (rank(a) != rank(b)) {
    order = rank(a) < rank(b) ? -1 : 1;
  } else if (a == xl::kStr) {
    order = CompareWithoutCase(emptyA ? std::u16string_view() : TextOf(left),
                               emptyB ? std::u16string_view() : TextOf(right));
  } else {
    double x = 0, y = 0;
    if (!emptyA) Operand(left, x);
    if (!emptyB) Operand(right, y);
    // Equal within 2^-48 of both (numbers that differ in their last bits).
    constexpr double kClose = 1.0 / (16777216.0 * 16777216.0);
    const double d = std::fabs(x - y);
    const bool equal = x == y || (x != 0 && y != 0 && d < std::fabs(x) * kClose && d < std::fabs(y) * kClose);
    order = equal ? 0 : x < y ? -1 : 1;
  }
  bool result = false;
  switch (op) {
    case '=': result = order == 0; break;
    case kNotEqual: result = order != 0; break;
    case '<': result = order < 0; break;
    case '>': result = order > 0; break;
    case kAtMost: result = order <= 0; break;
    default: result = order >= 0; break;  // kAtLeast
  }
  XLOPER12 r = Record(xl::kBool);
  r.val.xbool = result ? 1 : 0;
  return r;
}

// A run of one level's operators, from the left; after an error the rest is
// not evaluated.
void Evaluator::Chain(const Expr& e, const Row* row, XLOPER12& out) {
  Eval(e.args[0], row, out);
  for (std::size_t i = 1; i < e.args.size() && xl::AnswerType(out.xltype) != xl::kErr; ++i) {
    XLOPER12 right;
    Eval(e.args[i], row, right);
    out = Combine(e.ops[i - 1], out, right);
  }
}

// Signs, innermost first, then the '%'s.  Unary '+' leaves its operand as it
// is (a text stays a text, a cell a cell); '-' and '%' make a number of it.
bool Evaluator::Unary(const Expr& e, const Row* row, XLOPER12& out) {
  bool cell = Eval(e.args[0], row, out);
  auto apply = [&](bool negate) {
    double x = 0;
    cell = false;
    if (xl::AnswerType(out.xltype) == xl::kErr) return;
    out = !Number(out, x) ? ErrorRecord(xl::kErrValue) : NumberRecord(negate ? -x : x / 100);
  };
  for (auto sign = e.ops.rbegin(); sign != e.ops.rend(); ++sign)
    if (*sign == '-') apply(true);
  for (int i = 0; i < e.percents; ++i) apply(false);
  return cell;
}

void Evaluator::FaultyCells(const Expr& formula, const Row& row, std::vector<FaultyCell>& cells) {
  if (formula.kind == Expr::Kind::Column && formula.binding >= 0 &&
      static_cast<std::size_t>(formula.binding) < row.size()) {
    for (const FaultyCell& c : cells)
      if (c.column == formula.binding) return;
    const std::string& cell = row[static_cast<std::size_t>(formula.binding)];
    XLOPER12 v;
    ReadColumn(formula, &row, v);  // as the row's evaluation read it
    double x = 0;
    FaultyCell faulty{formula.binding, FaultyCell::Kind::kEmpty,
                      cellEncoding_ == Encoding::kWindows1252 ? Windows1252ToUtf8(cell) : cell};
    switch (xl::AnswerType(v.xltype)) {
      case xl::kMissing: break;
      case xl::kErr: faulty.kind = FaultyCell::Kind::kError; break;
      case xl::kStr: faulty.kind = Number(v, x) ? FaultyCell::Kind::kNumberText : FaultyCell::Kind::kText; break;
      default: return;
    }
    cells.push_back(std::move(faulty));
    return;
  }
  for (const Expr& arg : formula.args) FaultyCells(arg, row, cells);
}

Value Evaluator::Evaluate(const Expr& call, const Row* row, Language dialect, bool sameRow) {
  dialect_ = dialect;
  if (!sameRow) {
    textsUsed_ = 0;
    lastText_ = {};
    if (++evaluation_ == 0) {  // after 2^32 rows: forget every cell
      std::fill(cellEvaluation_.begin(), cellEvaluation_.end(), 0u);
      evaluation_ = 1;
    }
  }
  XLOPER12 r;
  Eval(call, row, r);
  // A formula whose value is an empty cell shows 0.
  if (xl::AnswerType(r.xltype) == xl::kMissing || xl::AnswerType(r.xltype) == xl::kNil) r = NumberRecord(0);
  Value v;
  v.type = xl::AnswerType(r.xltype);
  switch (v.type) {
    case xl::kNum: v.number = r.val.num; break;
    case xl::kErr: v.code = r.val.err; break;
    case xl::kBool: v.code = r.val.xbool; break;
    case xl::kStr: v.text = TextOf(r); break;
    default: break;
  }
  return v;
}

}  // namespace torven
