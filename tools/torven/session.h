// A session with one add-in: the functions it registered, and evaluation of
// worksheet calls through its entries as the host evaluates a cell.
#pragma once

#include <deque>
#include <string>
#include <vector>

#include "host/records.h"
#include "sheet/encoding.h"
#include "sheet/formula.h"
#include "sheet/registered_function.h"
#include "sheet/value.h"
#include "tools/hostsim/addin.h"

namespace torven {

class Session {
 public:
  using Row = std::vector<std::string>;
  // The most characters a cell holds.
  static constexpr std::size_t kMaxCellText = 32767;

  // Loads the add-in, hands over the entry point, runs xlAutoOpen and takes
  // the function list from what the add-in registered.
  bool Load(const std::string& path, std::string& error);

  const std::vector<Function>& Functions() const { return functions_; }
  hostsim::AddIn& AddIn() { return addIn_; }

  // Resolves function names (case-insensitively: the add-in's, and the
  // host's own of sheet/builtins.h in both languages) and column names (against
  // `header`, when given, in UTF-8); false with a message for an unknown name
  // or too many arguments.
  bool Bind(Expr& call, const std::vector<std::string>* header, std::string& error) const;

  // Whether CSV cells are read with a decimal comma (21,5), and their encoding.
  void SetDecimalComma(bool comma) { decimalComma_ = comma; }
  void SetCellEncoding(Encoding encoding) { cellEncoding_ = encoding; }

  // Evaluates a bound call; column names read `row`.  A formula in the
  // Spanish dialect also reads dates written dd/mm/aaaa.
  // A formula whose value is an empty cell gives 0.
  Value Evaluate(const Expr& call, const Row* row, Language dialect = Language::kEnglish);

 private:
  // Each evaluates `e` into `out`; the bool ones return whether `out` is a
  // cell's value (a column, or IF or unary '+' passing one on), which AND
  // and OR skip when it is a text or empty.
  bool Eval(const Expr& e, const Row* row, XLOPER12& out);
  void ReadColumn(const Expr& e, const Row* row, XLOPER12& out);
  void Chain(const Expr& e, const Row* row, XLOPER12& out);
  bool Unary(const Expr& e, const Row* row, XLOPER12& out);
  XLOPER12 Combine(char op, const XLOPER12& left, const XLOPER12& right) const;
  // A value as an operand of arithmetic, a text read as a number in the
  // formula's dialect; false when it gives #VALUE!.
  bool Number(const XLOPER12& v, double& x) const;
  // The host's own functions (builtins.cpp).
  bool Builtin(const Expr& e, const Row* row, XLOPER12& out);
  void DatePart(const Expr& e, const Row* row, XLOPER12& out);
  bool Choice(const Expr& e, const Row* row, XLOPER12& out);
  void Logical(const Expr& e, const Row* row, XLOPER12& out);
  // "NAME takes [at least] N arguments, G given": false, with the message.
  static bool WrongArgumentCount(const Expr& e, const std::string& name, int expected, bool atLeast,
                                 std::string& error);
  // The registered name closest to an unknown one ("" when none is close).
  std::string ClosestName(const std::string& name) const;
  void Cell(const std::string& cell, XLOPER12& out);
  XCHAR* Store(std::u16string_view counted);

  hostsim::AddIn addIn_;
  std::vector<Function> functions_;
  std::deque<std::u16string> texts_;  // counted texts of the current evaluation
  std::size_t textsUsed_ = 0;
  // Each column read once per evaluation: its record and the evaluation
  // that filled it.
  std::vector<XLOPER12> cells_;
  std::vector<unsigned> cellEvaluation_;
  unsigned evaluation_ = 0;
  bool decimalComma_ = false;
  Encoding cellEncoding_ = Encoding::kUtf8;
  Language dialect_ = Language::kEnglish;  // of the formula being evaluated
};

// The add-in built next to this program.
std::string DefaultAddInPath();

}  // namespace torven
