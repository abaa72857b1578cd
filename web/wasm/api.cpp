// The WebAssembly module's small helpers for the page, beside the job
// (job.cpp): the error names and codes of the engine's one table, through
// one text buffer.
#include <cstddef>
#include <cstring>

#include "sheet/names.h"
#include "web/wasm/export.h"

namespace {

char text[512];  // texts in and out, UTF-8

int Copy(const char* s) {
  const std::size_t n = std::strlen(s);
  std::memcpy(text, s, n);
  return static_cast<int>(n);
}

}  // namespace

TORVEN_WASM_EXPORT("text") char* Text() { return text; }

// The error code of the literal in the buffer (either language), or -1.
TORVEN_WASM_EXPORT("error_code") int ErrorCode(int length) {
  return torven::ErrorCode({text, static_cast<std::size_t>(length)});
}

// An error's literal into the buffer; its length is returned.
TORVEN_WASM_EXPORT("error_literal") int ErrorLiteral(int code, int spanish) {
  return Copy(torven::ErrorLiteral(code, spanish ? torven::Language::kSpanish : torven::Language::kEnglish));
}
