// The command-line program's call parser and CSV reader (UTF-16 too) on
// arbitrary bytes: a clear error or a result, never a crash.
#include <cstdio>
#include <algorithm>
#include <cstdlib>
#include <string>
#include <vector>

#include "sheet/csv.h"
#include "sheet/encoding.h"
#include "sheet/formula.h"
#include "sheet/text_scan.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  const std::string text(reinterpret_cast<const char*>(data), size);
  // Each line as a call.
  std::size_t start = 0;
  while (start <= text.size()) {
    const std::size_t end = std::min(text.find('\n', start), text.size());
    torven::Expr call;
    torven::ParseError error;
    if (!torven::ParseCall(std::string_view(text).substr(start, end - start), call, error)) {
      if (error.message.empty() || error.column < 1 || static_cast<std::size_t>(error.column) > end - start + 1)
        std::abort();
    }
    start = end + 1;
  }
  // The whole input as a CSV file.
  std::FILE* in = fmemopen(const_cast<char*>(text.data()), text.size() + (text.empty() ? 1 : 0), "rb");
  if (in == nullptr) return 0;
  // Read as torven reads it: UTF-16 by its mark (converted as it is read).
  torven::CsvReader reader(in);
  reader.ReadAs(reader.FirstBlockVerdict().encoding);
  reader.DetectDelimiter();
  std::vector<std::string> fields;
  std::size_t count = 0;
  std::string csvError;
  std::string out;
  while (reader.Next(fields, count, csvError)) {
    for (std::size_t i = 0; i < count; ++i) torven::AppendCsvField(out, fields[i]);
    if (!csvError.empty()) break;
  }
  std::fclose(in);
  (void)torven::ToUtf8(torven::FromUtf8(text));
  return 0;
}
