// The spreadsheet's own functions that a station formula uses, by the names
// of both languages (the Spanish-language spreadsheets write some with an
// accent, some without: DIA and DÍA, RAIZ and RAÍZ, ESNUMERO and ESNÚMERO):
//   YEAR/AÑO, MONTH/MES, DAY/DIA   the parts of a date
//   SQRT/RAIZ                      square root
//   IF/SI                          a choice, evaluating only the branch taken
//   ISNUMBER/ESNUMERO, ISBLANK/ESBLANCO
//   AND/Y, OR/O
#pragma once

#include <string>

#include "sheet/formula.h"

namespace torven {

struct BuiltinFunction {
  const char* name;  // upper case, UTF-8
  Expr::Builtin builtin;
  bool spanish;
  int minArguments, maxArguments;
};

// The host function of a name (any case), or nullptr.
const BuiltinFunction* FindBuiltin(const std::string& name);

}  // namespace torven
