#include "sheet/builtins.h"

#include "sheet/names.h"

namespace torven {
namespace {

using B = Expr::Builtin;

constexpr BuiltinFunction kBuiltins[] = {
    {"YEAR", B::kYear, false, 1, 1},         {"AÑO", B::kYear, true, 1, 1},
    {"MONTH", B::kMonth, false, 1, 1},       {"MES", B::kMonth, true, 1, 1},
    {"DAY", B::kDay, false, 1, 1},           {"DIA", B::kDay, true, 1, 1},
    {"DÍA", B::kDay, true, 1, 1},            {"SQRT", B::kSqrt, false, 1, 1},
    {"RAIZ", B::kSqrt, true, 1, 1},          {"RAÍZ", B::kSqrt, true, 1, 1},
    {"IF", B::kIf, false, 2, 3},             {"SI", B::kIf, true, 2, 3},
    {"ISNUMBER", B::kIsNumber, false, 1, 1}, {"ESNUMERO", B::kIsNumber, true, 1, 1},
    {"ESNÚMERO", B::kIsNumber, true, 1, 1},  {"ISBLANK", B::kIsBlank, false, 1, 1},
    {"ESBLANCO", B::kIsBlank, true, 1, 1},   {"AND", B::kAnd, false, 1, 255},
    {"Y", B::kAnd, true, 1, 255},            {"OR", B::kOr, false, 1, 255},
    {"O", B::kOr, true, 1, 255}};

}  // namespace

const BuiltinFunction* FindBuiltin(const std::string& name) {
  const std::string upper = UpperName(name);
  for (const BuiltinFunction& f : kBuiltins)
    if (upper == f.name) return &f;
  return nullptr;
}

}  // namespace torven
