// The WebAssembly module of the web calculator: the worksheet entries as
// they are (the page hands them argument records and reads their result
// cells), plus what the page needs of the command-line host's rules: the
// parts of a date and the error and truth names in both languages.  Every
// text goes through one buffer.
#include <cstddef>
#include <cstring>

#include "host/records.h"
#include "sheet/dates.h"
#include "sheet/names.h"

#define TORVEN_WASM_EXPORT(name) extern "C" __attribute__((export_name(name)))

namespace {

constexpr int kRecords = 16;
XLOPER12 records[kRecords];  // argument records the page fills
char text[512];              // texts in and out, UTF-8

int Copy(const char* s) {
  const std::size_t n = std::strlen(s);
  std::memcpy(text, s, n);
  return static_cast<int>(n);
}

int Packed(const torven::CivilDate& d) { return d.year * 10000 + d.month * 100 + d.day; }

}  // namespace

// The argument records and the text buffer, with the layout of the host's
// records: 32 bytes each, the value at 0, the type tag at 24.
TORVEN_WASM_EXPORT("records") XLOPER12* Records() { return records; }
TORVEN_WASM_EXPORT("text") char* Text() { return text; }

// The date of a serial number of the 1900 system, or of the date text of
// `length` bytes in the buffer (dd/mm/aaaa when `dayFirst`, else mm/dd/yyyy), as
// year * 10000 + month * 100 + day; -1 when there is none.
TORVEN_WASM_EXPORT("date_of_serial") int DateOfSerial(double serial) {
  torven::CivilDate d;
  return torven::DateOfSerial(serial, d) ? Packed(d) : -1;
}
TORVEN_WASM_EXPORT("date_of_text") int DateOfText(int length, int dayFirst) {
  torven::CivilDate d;
  return torven::DateOfText({text, static_cast<std::size_t>(length)}, dayFirst != 0, d) ? Packed(d) : -1;
}

// The error code of the literal in the buffer (either language), or -1; the
// truth value of the name in the buffer (1, 0), or -1.
TORVEN_WASM_EXPORT("error_code") int ErrorCode(int length) {
  return torven::ErrorCode({text, static_cast<std::size_t>(length)});
}
TORVEN_WASM_EXPORT("truth_value") int TruthValue(int length) {
  return torven::TruthValue({text, static_cast<std::size_t>(length)});
}

// An error's literal into the buffer; its length is returned.
TORVEN_WASM_EXPORT("error_literal") int ErrorLiteral(int code, int spanish) {
  return Copy(torven::ErrorLiteral(code, spanish ? torven::Language::kSpanish : torven::Language::kEnglish));
}
