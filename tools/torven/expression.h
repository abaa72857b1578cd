// Formulas as written in a cell, on the command line or in a file:
//   =ETPF56(JDIA.VENTISOLA(2023;7;6); RADF56A(187;9,25;0,25;0,5;50,8); 21,5; 12,3; 0;
//           PVHRF56(21,5;12,3;84;63); 10/3,6; 10; 100; 50,8)
// An optional leading '='; the spreadsheet's arithmetic, tightest first:
// unary - and +, postfix %, ^ (left to right), * and /, + and -; parentheses.
// Operands: numbers (1E-3 exponents), "text" (doubled quotes inside),
// TRUE/FALSE, error literals (#N/A ...), calls, names of CSV columns, and
// empty call arguments (omitted).
//
// Two ways of writing, as the spreadsheet's two locales do: where ';'
// separates arguments, ',' in a number is the decimal mark (21,5; '.' is
// accepted too, but one formula may not use both); where ',' separates them,
// '.' is the decimal mark.  A formula is read the first way when it holds a
// ';' (outside texts), the second way otherwise, unless forced: so a bare
// PVSF56(1,5) passes two arguments, and PVSF56(1,5) with a forced decimal
// comma passes 1.5.  A forced decimal point lets ',' and ';' both separate.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

namespace torven {

struct Expr {
  enum class Kind { Number, Text, Boolean, Error, Empty, Call, Column, Operator };
  Kind kind = Kind::Empty;
  char op = 0;  // Operator: + - * / ^ (two operands), % or n (negation) or p (unary +)
  double number = 0;
  bool boolean = false;
  std::int32_t error = 0;
  std::u16string text;  // counted: text[0] holds the length
  std::string name;     // function or column name, as written
  std::vector<Expr> args;
  int column = 0;       // 1-based position in the line

  // Bound before evaluation: the registered function or the CSV column.
  int binding = -1;
};

struct ParseError {
  int column = 0;
  std::string message;
};

enum class DecimalMark { kAuto, kComma, kPoint };

// Parses one formula; false with `error` filled when the text is malformed.
// `usedComma`, when given, tells whether the formula's numbers are written
// with a decimal comma (or one was forced): results print the same way.
bool ParseCall(std::string_view line, Expr& call, ParseError& error,
               DecimalMark mark = DecimalMark::kAuto, bool* usedComma = nullptr);

// The error literals and their codes; "" / -1 when unknown.
std::int32_t ErrorCode(std::string_view literal);
const char* ErrorLiteral(std::int32_t code);

// UTF-8 <-> UTF-16.
std::u16string FromUtf8(std::string_view text);
std::string ToUtf8(std::u16string_view text);

// The argument names of a registered argument text ("Jdia,He (h), as"), as the
// function wizard shows them: split at commas, leading spaces dropped.
std::vector<std::string> SplitArguments(const std::string& text);

}  // namespace torven
