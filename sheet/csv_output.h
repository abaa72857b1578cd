// The output file of a --csv job, written as its input is: the input's
// encoding (UTF-16 converted from the program's UTF-8 as it is handed
// out), byte-order mark, delimiter and line ends.  Held in a buffer and
// handed out in blocks, or dropped whole (a job that refuses writes nothing).
#pragma once

#include <string>
#include <string_view>
#include <vector>

#include "sheet/encoding.h"

namespace torven {

class CsvJobReport;

class CsvOutput {
 public:
  // How the input is written; `write` false drops everything.
  void Begin(Encoding encoding, bool byteOrderMark, char delimiter, std::string_view lineEnd, bool write);

  // Lines as they are (the lines before a header).
  void Raw(std::string_view text) {
    if (write_) out_ += text;
  }
  // The first `count` fields as the file writes them, quoted where needed.
  void Fields(const std::vector<std::string>& fields, std::size_t count);
  // `n` delimiters: the empty fields of a blank line or a row of units.
  void Delimiters(std::size_t n) {
    if (write_) out_.append(n, delimiter_);
  }
  // A delimiter, then the program's UTF-8 `text` as one field in the file's
  // encoding; false (the field left empty) when the encoding cannot hold it.
  bool Added(const std::string& text);
  void EndLine() {
    if (write_) out_ += lineEnd_;
  }

  std::size_t Size() const { return out_.size(); }
  void Drop() { out_.clear(); }
  // Hands the buffer to `report` (converted to UTF-16 where the input was).
  void Flush(CsvJobReport& report);

 private:
  std::string out_;
  Encoding encoding_ = Encoding::kUtf8;
  char delimiter_ = ',';
  std::string lineEnd_ = "\n";
  bool write_ = true;
};

}  // namespace torven
