// The spreadsheet's names of errors and truth values, in English and as
// the Spanish-language spreadsheet writes them (#¡VALOR!, VERDADERO), and
// names compared as it compares them.
#pragma once

#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>

namespace torven {

// The language in which errors and truth values are shown.
enum class Language { kEnglish, kSpanish };

// The error literals (either language, any case) and their codes; -1 when
// unknown.  `spanish`, when given, tells which language the literal was in.
std::int32_t ErrorCode(std::string_view literal, bool* spanish = nullptr);
const char* ErrorLiteral(std::int32_t code, Language language = Language::kEnglish);
// TRUE/FALSE and VERDADERO/FALSO, any case: 1 or 0 (-1 when neither);
// `spanish`, when given, tells which language.
int TruthValue(std::string_view name, bool* spanish = nullptr);
const char* TruthName(bool value, Language language);

// Names compared as the spreadsheet does, ignoring case, also of the
// accented letters (año, AÑO): the name in upper case.
std::string UpperName(std::string_view name);

// The length of the error literal (either language, any case) that `text`
// begins with, its code and language; 0 when it begins with none.
std::size_t ErrorLiteralAt(std::string_view text, std::int32_t& code, bool& spanish);

}  // namespace torven
