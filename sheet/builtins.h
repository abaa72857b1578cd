// The spreadsheet's own functions that a station formula uses, each by the
// names of both languages, with its arity and its meaning in one table
// (builtins.cpp):
//   YEAR/AÑO, MONTH/MES, DAY/DIA   the parts of a date
//   SQRT/RAIZ                      square root
//   IF/SI                          a choice, evaluating only the branch taken
//   ISNUMBER/ESNUMERO, ISBLANK/ESBLANCO
//   AND/Y, OR/O
//   INT/ENTERO                     rounded down
//   DATE/FECHA                     the serial of a year, month and day
//   LEFT/IZQUIERDA, RIGHT/DERECHA  the first or last characters of a text
//   ABS, LN, MIN/MÍN, MAX/MÁX, ROW/FILA
//   SIN/SENO, COS, TAN, ASIN/ASENO, ACOS, ATAN, EXP, PI
#pragma once

#include <string>
#include <vector>

#include "host/records.h"
#include "sheet/formula.h"

namespace torven {

class Evaluator;

struct BuiltinFunction {
  const char* name;  // upper case, UTF-8
  bool spanish;
  int minArguments, maxArguments;
  // Evaluates a call of it into `out`; true when `out` is a cell passed on.
  bool (*evaluate)(Evaluator& evaluator, const Expr& call, const std::vector<std::string>* row, XLOPER12& out);
};

// The function of a name (any case), or nullptr.
const BuiltinFunction* FindBuiltin(const std::string& name);

}  // namespace torven
