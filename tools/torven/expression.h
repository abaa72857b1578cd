// Worksheet calls as written on the command line or in a file:
//   ETPF56(JDIA.VENTISOLA(2023;7;6), 22.07, 21.5, 12.3, 0, 1.409, 2.778, 10, 100, 50.8)
// Arguments: numbers (decimal mark '.'), "text" (doubled quotes inside),
// TRUE/FALSE, error literals (#N/A ...), nested calls, names of CSV columns,
// and empty (an omitted argument).  ',' and ';' both separate arguments.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

namespace torven {

struct Expr {
  enum class Kind { Number, Text, Boolean, Error, Empty, Call, Column };
  Kind kind = Kind::Empty;
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

// Parses one call; false with `error` filled when the text is malformed.
bool ParseCall(std::string_view line, Expr& call, ParseError& error);

// The error literals and their codes; "" / -1 when unknown.
std::int32_t ErrorCode(std::string_view literal);
const char* ErrorLiteral(std::int32_t code);

// UTF-8 <-> UTF-16.
std::u16string FromUtf8(std::string_view text);
std::string ToUtf8(std::u16string_view text);

}  // namespace torven
