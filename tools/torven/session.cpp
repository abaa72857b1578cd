#include "tools/torven/session.h"

#include <charconv>
#include <cmath>
#include <algorithm>
#include <cstring>

#include "core/math.h"
#include "platform/export.h"
#include "platform/platform.h"
#include "sheet/builtins.h"
#include "tools/hostsim/host.h"
#include "tools/torven/cell_values.h"
#include "worksheet/catalogue.h"

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

}  // namespace

std::string DefaultAddInPath() {
  if (platform::kWindows) return platform::k32Bit ? "TORVEN32.xll" : "TORVEN64.xll";
  return platform::ExecutableDirectory() + "/libtorven.so";
}

bool Session::Load(const std::string& path, std::string& error) {
  if (!addIn_.Open(path, error)) return false;
  hostsim::Reset();
  addIn_.Start();
  for (const auto& reg : hostsim::State().registry) {
    const XCHAR* row[worksheet::kCatalogueColumns];
    for (int c = 0; c < worksheet::kCatalogueColumns; ++c) row[c] = reg.columns[c].c_str();
    Function f = FromCatalogueRow(row);
    f.address = addIn_.Symbol(f.procedure.c_str());
    if (f.address == nullptr || f.arity > hostsim::kMaxProcedureArguments) continue;
    functions_.push_back(std::move(f));
  }
  if (functions_.empty()) {
    error = "the add-in '" + path + "' registered no function";
    return false;
  }
  return true;
}

bool Session::Bind(Expr& e, const std::vector<std::string>* header, std::string& error) const {
  if (e.kind == Expr::Kind::Column) {
    if (header != nullptr) {
      for (std::size_t i = 0; i < header->size(); ++i)
        if ((*header)[i] == e.name) e.binding = static_cast<int>(i);
      if (e.binding >= 0) return true;
      error = "column " + std::to_string(e.column) + ": no column named '" + e.name + "' in the CSV header";
    } else {
      error = "column " + std::to_string(e.column) + ": unknown name '" + e.name +
              "' (names stand for CSV columns, with --csv)";
    }
    return false;
  }
  if (e.kind == Expr::Kind::Operator) {
    for (Expr& operand : e.args)
      if (!Bind(operand, header, error)) return false;
    return true;
  }
  if (e.kind != Expr::Kind::Call) return true;
  e.binding = -1;
  for (std::size_t i = 0; i < functions_.size(); ++i)
    if (SameName(functions_[i].name, e.name)) e.binding = static_cast<int>(i);
  if (const BuiltinFunction* b = e.binding < 0 ? FindBuiltin(e.name) : nullptr) {
    e.builtin = b->builtin;
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
  const Function& f = functions_[static_cast<std::size_t>(e.binding)];
  if (static_cast<int>(e.args.size()) > f.arity) return WrongArgumentCount(e, f.name, f.arity, false, error);
  for (Expr& arg : e.args)
    if (!Bind(arg, header, error)) return false;
  return true;
}

bool Session::WrongArgumentCount(const Expr& e, const std::string& name, int expected, bool atLeast,
                                 std::string& error) {
  const auto given = static_cast<int>(e.args.size());
  error = "column " + std::to_string(e.column) + ": " + name + " takes " + (atLeast ? "at least " : "") +
          std::to_string(expected) + " argument" + (expected == 1 ? "" : "s") + ", " + std::to_string(given) + " given";
  // PVSF56(20,5): most likely a decimal comma.
  if (given > expected && e.commaSeparated)
    error += "; if ',' was meant as a decimal comma, write ';' between the arguments or pass --decimal-comma";
  return false;
}

std::string Session::ClosestName(const std::string& name) const {
  std::string upper;
  for (char c : name) upper += static_cast<char>(std::toupper(static_cast<unsigned char>(c)));
  std::string best;
  std::size_t bestDistance = 3;  // at most two edits away, or a name it begins
  for (const Function& f : functions_) {
    // JDIA -> JDIA.VENTISOLA: the worksheet name extends the one written.
    if (f.name.size() > upper.size() && f.name.compare(0, upper.size(), upper) == 0 &&
        f.name[upper.size()] == '.')
      return f.name;
    const std::size_t d = EditDistance(upper, f.name);
    if (d < bestDistance) bestDistance = d, best = f.name;
  }
  return best;
}

XCHAR* Session::Store(std::u16string_view counted) {
  if (textsUsed_ == texts_.size()) texts_.emplace_back();
  std::u16string& s = texts_[textsUsed_++];
  s.assign(counted);
  return s.data();
}

void Session::Cell(const std::string& cell, XLOPER12& out) {
  if (cell.empty()) {
    out = Record(xl::kMissing);
    return;
  }
  double number;
  const char* first = cell.data() + (cell[0] == '+' ? 1 : 0);
  const char* last = cell.data() + cell.size();
  // A decimal comma read as the point (one comma, no point).
  char point[64];
  const std::size_t comma = decimalComma_ ? cell.find(',') : std::string::npos;
  if (comma != std::string::npos && cell.size() < sizeof point && cell.find('.') == std::string::npos &&
      cell.find(',', comma + 1) == std::string::npos) {
    const std::size_t n = static_cast<std::size_t>(last - first);
    std::memcpy(point, first, n);
    point[comma - static_cast<std::size_t>(first - cell.data())] = '.';
    first = point;
    last = point + n;
  }
  const auto [end, ec] = std::from_chars(first, last, number);
  if (ec == std::errc() && end == last) {
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
  std::u16string text = FromUtf8(decoded);
  if (text.size() > 255) text.resize(255);  // a cell text as the host passes it
  text.insert(text.begin(), static_cast<char16_t>(text.size()));
  out = Record(xl::kStr);
  out.val.str = Store(text);
}

void Session::Eval(const Expr& e, const std::vector<std::string>* row, XLOPER12& out) {
  switch (e.kind) {
    case Expr::Kind::Number:
      out = Record(xl::kNum);
      out.val.num = e.number;
      return;
    case Expr::Kind::Text:
      out = Record(xl::kStr);
      out.val.str = const_cast<XCHAR*>(e.text.data());
      return;
    case Expr::Kind::Boolean:
      out = Record(xl::kBool);
      out.val.xbool = e.boolean ? 1 : 0;
      return;
    case Expr::Kind::Error:
      out = Record(xl::kErr);
      out.val.err = e.error;
      return;
    case Expr::Kind::Empty:
      out = Record(xl::kMissing);
      return;
    case Expr::Kind::Column: {
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
      return;
    }
    case Expr::Kind::Operator:
      Arithmetic(e, row, out);
      return;
    case Expr::Kind::Call: break;
  }
  if (e.builtin != Expr::Builtin::kNone) return Builtin(e, row, out);
  const Function& f = functions_[static_cast<std::size_t>(e.binding)];
  XLOPER12 args[hostsim::kMaxProcedureArguments];
  XLOPER12* pointers[hostsim::kMaxProcedureArguments];
  for (int i = 0; i < f.arity; ++i) {
    if (static_cast<std::size_t>(i) < e.args.size()) Eval(e.args[static_cast<std::size_t>(i)], row, args[i]);
    else args[i] = Record(xl::kMissing);  // too few: passed as omitted, as the host does
    pointers[i] = &args[i];
  }
  const XLOPER12* result = hostsim::CallWithArguments(f.address, f.arity, pointers);
  // The result cell is the entry's own: copy it out before the next call.
  out = result != nullptr ? hostsim::ReadRecord(result) : Record(xl::kErr);
  if (result == nullptr) out.val.err = xl::kErrValue;
  if (xl::AnswerType(out.xltype) == xl::kStr) {
    std::u16string counted = hostsim::CountedText(out.val.str);
    counted.insert(counted.begin(), static_cast<char16_t>(counted.size()));
    out.val.str = Store(counted);
  }
}

// The spreadsheet's arithmetic: the first error operand wins, a text gives
// #VALUE!, a division by zero #DIV/0!, a result out of range #NUM!.
void Session::Arithmetic(const Expr& e, const std::vector<std::string>* row, XLOPER12& out) {
  XLOPER12 operands[2];
  double x[2] = {0, 0};
  for (std::size_t i = 0; i < e.args.size() && i < 2; ++i) {
    Eval(e.args[i], row, operands[i]);
    if (xl::AnswerType(operands[i].xltype) == xl::kErr) {
      out = Record(xl::kErr);
      out.val.err = operands[i].val.err;
      return;
    }
  }
  auto fail = [&](std::int32_t code) {
    out = Record(xl::kErr);
    out.val.err = code;
  };
  for (std::size_t i = 0; i < e.args.size() && i < 2; ++i)
    if (!Operand(operands[i], x[i])) return fail(xl::kErrValue);
  double r = 0;
  switch (e.op) {
    case '+': r = x[0] + x[1]; break;
    case '-': r = x[0] - x[1]; break;
    case '*': r = x[0] * x[1]; break;
    case '/':
      if (x[1] == 0) return fail(xl::kErrDiv0);
      r = x[0] / x[1];
      break;
    case '^':
      if (x[0] == 0 && x[1] == 0) return fail(xl::kErrNum);
      if (x[0] == 0 && x[1] < 0) return fail(xl::kErrDiv0);
      r = core::math::pow(x[0], x[1]);
      break;
    case '%': r = x[0] / 100; break;
    case 'n': r = -x[0]; break;
    default: r = x[0]; break;  // unary +
  }
  if (!std::isfinite(r)) return fail(xl::kErrNum);
  out = Record(xl::kNum);
  out.val.num = r;
}

Value Session::Evaluate(const Expr& call, const std::vector<std::string>* row, Language dialect) {
  textsUsed_ = 0;
  dialect_ = dialect;
  if (++evaluation_ == 0) {  // after 2^32 evaluations: forget every cell
    std::fill(cellEvaluation_.begin(), cellEvaluation_.end(), 0u);
    evaluation_ = 1;
  }
  XLOPER12 r;
  Eval(call, row, r);
  Value v;
  v.type = xl::AnswerType(r.xltype);
  switch (v.type) {
    case xl::kNum: v.number = r.val.num; break;
    case xl::kErr: v.code = r.val.err; break;
    case xl::kBool: v.code = r.val.xbool; break;
    case xl::kStr: v.text = hostsim::CountedText(r.val.str); break;
    default: break;
  }
  return v;
}

}  // namespace torven
