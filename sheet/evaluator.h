// The spreadsheet's evaluation of a formula, as a cell evaluates it: names
// bound to the add-in's functions, to the spreadsheet's own (builtins.h) and
// to the columns of a station file; the arithmetic; texts read as numbers
// where the spreadsheet reads them; the add-in's functions called through
// their entries with the host's value records.  The caller says which
// functions the add-in has and where their entries are: torven from the
// library it loads, the web calculator's module from the entries linked
// into it.
#pragma once

#include <deque>
#include <initializer_list>
#include <string_view>
#include <string>
#include <vector>

#include "host/records.h"
#include "sheet/encoding.h"
#include "sheet/formula.h"
#include "sheet/gaps.h"
#include "sheet/value.h"

namespace torven {

// One of the add-in's worksheet functions: its name as registered, how many
// arguments its entry takes, and the entry (host/entry_call.h calls it).
struct AddInFunction {
  std::string name;
  int arity = 0;
  const void* entry = nullptr;
};

// A cell that a formula reads and that is not a number.
struct FaultyCell {
  enum class Kind { kEmpty, kError, kText, kNumberText };  // kNumberText: reads as a number or a date
  int column = 0;
  Kind kind = Kind::kEmpty;
  std::string text;  // as the cell holds it, in UTF-8
};

// A cell of the sheet a formula refers to: a file's cell (its text, as
// read), a computed value, or neither (an empty cell).
struct SheetCell {
  const std::string* text = nullptr;
  const Value* value = nullptr;
};

// The rows of the sheet that references reach beyond the row evaluated:
// row 1 is the header, the file's records follow from row 2; the file's
// columns come first (0-based), then the added ones.
class SheetRows {
 public:
  virtual ~SheetRows() = default;
  virtual SheetCell At(long row, int column) const = 0;
};

// Watches the add-in's calls of an evaluation: each call's function and
// the arguments its entry gets, and its result, as the cell holds it.
class CallWatcher {
 public:
  virtual ~CallWatcher() = default;
  virtual void Called(const AddInFunction& function, const XLOPER12* const* args, int count,
                      const XLOPER12& result) = 0;
};

class Evaluator {
 public:
  using Row = std::vector<std::string>;
  // The most characters a cell holds.
  static constexpr std::size_t kMaxCellText = 32767;

  // The add-in's functions (those with no entry, or more arguments than an
  // entry is called with, are left out).
  void SetAddInFunctions(const std::vector<AddInFunction>& functions);
  const std::vector<AddInFunction>& AddInFunctions() const { return functions_; }

  // Resolves function names (case-insensitively: the add-in's, and the
  // spreadsheet's own in both languages) and column names (against
  // `header`, when given, in UTF-8); false with a message for an unknown
  // name or a wrong count of arguments.
  bool Bind(Expr& call, const std::vector<std::string>* header, std::string& error) const;

  // Whether CSV cells are read with a decimal comma (21,5), and their encoding.
  void SetDecimalComma(bool comma) { decimalComma_ = comma; }
  void SetCellEncoding(Encoding encoding) { cellEncoding_ = encoding; }
  // The gap codes of the cells (sheet/gaps.h), in the cells' encoding: a
  // cell that holds one is an empty cell.
  void SetGapCodes(std::vector<std::string> codes) { gaps_ = GapCodes(std::move(codes)); }

  // Evaluates a bound formula; column names read `row`.  The dialect says
  // how texts read as numbers and dates.  A formula whose value is an empty
  // cell gives 0.  `sameRow`: the row is the one of the last evaluation,
  // unchanged, so that its cells are read once for all its formulas.
  Value Evaluate(const Expr& call, const Row* row, Language dialect = Language::kEnglish, bool sameRow = false);

  // The cells `formula` reads (each once, in the order it reads them) that
  // are not numbers nor truth values: what a row whose value is an error
  // may have failed for.  `row` is the row last evaluated, whose cells are
  // read as that evaluation read them.
  void FaultyCells(const Expr& formula, const Row& row, std::vector<FaultyCell>& cells);

  // For the spreadsheet's own functions (builtins.cpp): evaluates `e` into
  // `out`, and returns whether `out` is a cell's value (a column, or IF or
  // unary '+' passing one on), which AND and OR skip when it is a text or
  // empty.
  bool Eval(const Expr& e, const Row* row, XLOPER12& out);
  // A value as an operand of arithmetic, a text read as a number in the
  // formula's dialect; false when it gives #VALUE!.
  bool Number(const XLOPER12& v, double& x);
  // The dialect of the formula being evaluated.
  Language Dialect() const { return dialect_; }
  // A slot of the evaluation's store of texts (counted, kept for the row),
  // for a function whose value is a text.
  std::u16string& NextText();
  // How a date text d/m/y or m/d/y is read: -1 as the dialect writes it
  // (d/m/y in Spanish), 1 day first, 0 month first.
  void SetDayFirst(int dayFirst) { dayFirst_ = dayFirst; }
  // The sheet that cell references read (none: a reference is refused when
  // bound), and the row of the sheet being evaluated (ROW() gives it).
  void SetSheet(const SheetRows* sheet) { sheet_ = sheet; }
  void SetSheetRow(long row) { sheetRow_ = row; }
  long SheetRow() const { return sheetRow_; }
  // Who watches the add-in's calls (none: nullptr).
  void SetCallWatcher(CallWatcher* watcher) { watcher_ = watcher; }
  // Calls the add-in's function `name` (as registered) with numbers, outside
  // any formula; false when it has no such function or its value is no
  // finite number.
  bool CallWithNumbers(const AddInFunction& function, std::initializer_list<double> args, double& result) const;
  // The add-in's function `name` as registered, or nullptr.
  const AddInFunction* FunctionNamed(std::string_view name) const;

 private:
  void ReadColumn(const Expr& e, const Row* row, XLOPER12& out);
  void ReadReference(const Expr& e, const Row* row, XLOPER12& out);
  XLOPER12 Compare(char op, const XLOPER12& left, const XLOPER12& right);
  void Chain(const Expr& e, const Row* row, XLOPER12& out);
  bool Unary(const Expr& e, const Row* row, XLOPER12& out);
  XLOPER12 Combine(char op, const XLOPER12& left, const XLOPER12& right);
  void CallAddIn(const Expr& e, const Row* row, XLOPER12& out);
  // "NAME takes [at least] N arguments, G given": false, with the message.
  static bool WrongArgumentCount(const Expr& e, const std::string& name, int expected, bool atLeast,
                                 std::string& error);
  // The registered name closest to an unknown one ("" when none is close).
  std::string ClosestName(const std::string& name) const;
  bool ReadNumber(std::u16string_view text, double& x) const;
  void Cell(const std::string& cell, XLOPER12& out);
  std::vector<AddInFunction> functions_;
  std::deque<std::u16string> texts_;  // counted texts of the current evaluation
  std::size_t textsUsed_ = 0;
  // Each column read once per row: its record and the row that filled it.
  std::vector<XLOPER12> cells_;
  std::vector<unsigned> cellEvaluation_;
  unsigned evaluation_ = 0;
  bool decimalComma_ = false;
  int dayFirst_ = -1;
  const SheetRows* sheet_ = nullptr;
  CallWatcher* watcher_ = nullptr;
  long sheetRow_ = 2;
  GapCodes gaps_;
  Encoding cellEncoding_ = Encoding::kUtf8;
  Language dialect_ = Language::kEnglish;  // of the formula being evaluated
  // The last text read as a number in this row (the texts of a row stay put).
  struct TextNumber {
    const XCHAR* counted = nullptr;
    Language dialect = Language::kEnglish;
    bool read = false;
    double number = 0;
  } lastText_;
};

}  // namespace torven
