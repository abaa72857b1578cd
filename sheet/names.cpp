#include "sheet/names.h"

#include <cctype>
#include <cstring>

namespace torven {
namespace {

struct ErrorName {
  const char* english;
  const char* spanish;  // as the Spanish-language spreadsheet shows it
  std::int32_t code;
};

constexpr ErrorName kErrors[] = {
    {"#NULL!", "#¡NULO!", 0},         {"#DIV/0!", "#¡DIV/0!", 7}, {"#VALUE!", "#¡VALOR!", 15},
    {"#REF!", "#¡REF!", 23},          {"#NAME?", "#¿NOMBRE?", 29}, {"#NUM!", "#¡NUM!", 36},
    {"#N/A", "#N/D", 42},             {"#GETTING_DATA", "#OBTENIENDO_DATOS", 43}};

struct TruthWord {
  const char* english;
  const char* spanish;
  bool value;
};

constexpr TruthWord kTruths[] = {{"TRUE", "VERDADERO", true}, {"FALSE", "FALSO", false}};

bool SameLetters(std::string_view a, std::string_view b) {
  if (a.size() != b.size()) return false;
  for (std::size_t i = 0; i < a.size(); ++i)
    if (std::toupper(static_cast<unsigned char>(a[i])) != std::toupper(static_cast<unsigned char>(b[i])))
      return false;
  return true;
}

// The error whose literal (either language) `text` begins with; null if none.
const ErrorName* ErrorAtStart(std::string_view text, bool& spanish) {
  for (const auto& e : kErrors)
    for (const char* literal : {e.english, e.spanish}) {
      const std::string_view l = literal;
      if (SameLetters(text.substr(0, l.size()), l)) {
        spanish = literal == e.spanish;
        return &e;
      }
    }
  return nullptr;
}

}  // namespace

std::size_t ErrorLiteralAt(std::string_view text, std::int32_t& code, bool& spanish) {
  const ErrorName* e = ErrorAtStart(text, spanish);
  if (e == nullptr) return 0;
  code = e->code;
  return std::strlen(spanish ? e->spanish : e->english);
}

std::int32_t ErrorCode(std::string_view literal, bool* spanish) {
  bool inSpanish = false;
  const ErrorName* e = ErrorAtStart(literal, inSpanish);
  if (e == nullptr || std::strlen(inSpanish ? e->spanish : e->english) != literal.size()) return -1;
  if (spanish != nullptr) *spanish = inSpanish;
  return e->code;
}

const char* ErrorLiteral(std::int32_t code, Language language) {
  for (const auto& e : kErrors)
    if (e.code == code) return language == Language::kSpanish ? e.spanish : e.english;
  return "#ERROR!";
}

int TruthValue(std::string_view name, bool* spanish) {
  for (const auto& t : kTruths)
    for (const char* n : {t.english, t.spanish})
      if (SameLetters(name, n)) {
        if (spanish != nullptr) *spanish = n == t.spanish;
        return t.value ? 1 : 0;
      }
  return -1;
}

const char* TruthName(bool value, Language language) {
  const TruthWord& t = kTruths[value ? 0 : 1];
  return language == Language::kSpanish ? t.spanish : t.english;
}

std::string UpperName(std::string_view name) {
  std::string upper(name);
  for (std::size_t i = 0; i < upper.size(); ++i) {
    const auto c = static_cast<unsigned char>(upper[i]);
    if (c < 0x80) {
      upper[i] = static_cast<char>(std::toupper(c));
    } else if (c == 0xC3 && i + 1 < upper.size()) {
      // U+00E0..U+00FE, but the division sign, are the lower case of U+00C0..U+00DE.
      const auto next = static_cast<unsigned char>(upper[++i]);
      if (next >= 0xA0 && next <= 0xBE && next != 0xB7) upper[i] = static_cast<char>(next - 0x20);
    }
  }
  return upper;
}

}  // namespace torven
