// Formulas as written in a cell, on the command line or in a file:
//   =ETPF56(JDIA.VENTISOLA(2023;7;6); RADF56A(187;9,25;0,25;0,5;50,8); 21,5; 12,3; 0;
//           PVHRF56(21,5;12,3;84;63); 10/3,6; 10; 100; 50,8)
// An optional leading '='; the spreadsheet's arithmetic, tightest first:
// unary - and +, postfix %, ^ (left to right), * and /, + and -, then the
// comparisons = <> < > <= >=; parentheses.
// A run of one level's operators is one node (1+2-3+4 holds four operands),
// so that the tree is as deep as the formula's parentheses and calls, never
// as long as the formula: a sum of 100,000 terms is parsed, evaluated and
// freed in time and stack linear in its length.
// Operands: numbers (1E-3 exponents), "text" (doubled quotes inside),
// TRUE/FALSE, error literals (#N/A ...), calls, names of CSV columns (in
// brackets when they are not a plain word: [u2 (km/h)]), cell references
// as the spreadsheet writes them (C2, $C$2, C$13: a name that no column
// has is read as one), and empty call arguments (omitted).
//
// Two ways of writing, as the spreadsheet's two locales do: where ';'
// separates arguments, ',' in a number is the decimal mark (21,5; '.' is
// accepted too, but one formula may not use both); where ',' separates them,
// '.' is the decimal mark.  A formula is read the first way when it holds a
// ';' (outside texts), the second way otherwise, unless forced: so a bare
// PVSF56(1,5) passes two arguments, and PVSF56(1,5) with a forced decimal
// comma passes 1.5.  A forced decimal point lets ',' and ';' both separate.
//
// Error literals and truth values are read in English and as the
// Spanish-language spreadsheet writes them (#N/D, #¡VALOR!, VERDADERO ...),
// in any case.  A formula is in the Spanish dialect when ';' separates its
// arguments or it uses a Spanish name; its results print that way.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "sheet/names.h"

namespace torven {

struct BuiltinFunction;

struct Expr {
  enum class Kind { Number, Text, Boolean, Error, Empty, Call, Column, Chain, Unary, Reference };
  Kind kind = Kind::Empty;
  // Chain: args[0] ops[0] args[1] ops[1] ... args[n], one level of binary
  // operators (+ -, * /, ^, or the comparisons, each one character: = < >,
  // and kNotEqual, kAtMost, kAtLeast), taken from the left.  Unary: the signs
  // written before args[0] ('-' or '+', in the order written), then
  // `percents` times '%' after it.
  std::string ops;
  int percents = 0;
  double number = 0;
  bool boolean = false;
  std::int32_t error = 0;
  std::u16string text;  // counted: text[0] holds the length
  std::string name;     // function or column name, as written
  std::vector<Expr> args;
  int column = 0;       // 1-based position in the line
  bool spanish = false; // an error or truth value written with its Spanish name
  bool commaSeparated = false;  // Call: ',' separated its arguments

  // Bound before evaluation: the registered function or the CSV column; or,
  // for a call of one of the host's own functions, which one.  A Reference:
  // its column (`binding`, 0-based), its row as written (`row`, 1-based) and
  // whether that row is fixed ($).
  int binding = -1;
  long row = 0;
  bool fixedRow = false;
  const BuiltinFunction* builtin = nullptr;
};

// The comparison operators of two characters, as a Chain holds them.
constexpr char kNotEqual = 'n', kAtMost = 'l', kAtLeast = 'g';

// A cell reference as the spreadsheet writes it ($A$1, C2, AB$13): its
// column (0-based), row and whether the row is fixed; false for any other text.
bool ReadCellReference(std::string_view text, int& column, long& row, bool& fixedRow);

struct ParseError {
  int column = 0;
  std::string message;
};

enum class DecimalMark { kAuto, kComma, kPoint };

// How a formula was written.
struct Writing {
  bool decimalComma = false;  // its numbers carry a decimal comma (or one was forced)
  bool semicolons = false;    // ';' separates its arguments (or a decimal comma was forced)
};

// Parses one formula; false with `error` filled when the text is malformed.
// `writing`, when given, tells how the formula was written: results print
// the same way.  With the mark not known (kAuto), ';' means a decimal comma;
// without one, a formula that reads only with a decimal comma (0,23*A2) is
// read so.
bool ParseCall(std::string_view line, Expr& call, ParseError& error,
               DecimalMark mark = DecimalMark::kAuto, Writing* writing = nullptr);

// Whether a bound formula uses a Spanish name (an error, a truth value or a
// function of the host's own); with its ';' separators, its dialect.
bool UsesSpanishName(const Expr& formula);
Language DialectOf(const Expr& formula, const Writing& writing);

}  // namespace torven
