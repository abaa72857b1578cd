#include "sheet/csv_output.h"

#include "sheet/csv.h"
#include "sheet/csv_job.h"

namespace torven {

void CsvOutput::Begin(Encoding encoding, bool byteOrderMark, char delimiter, std::string_view lineEnd, bool write) {
  encoding_ = encoding;
  delimiter_ = delimiter;
  lineEnd_.assign(lineEnd);
  write_ = write;
  out_ = byteOrderMark ? "\xEF\xBB\xBF" : "";
}

void CsvOutput::Fields(const std::vector<std::string>& fields, std::size_t count) {
  if (!write_) return;
  for (std::size_t i = 0; i < count; ++i) {
    if (i > 0) out_ += delimiter_;
    AppendCsvField(out_, fields[i], delimiter_);
  }
}

bool CsvOutput::Added(const std::string& text) {
  if (!write_) return true;
  out_ += delimiter_;
  if (encoding_ != Encoding::kWindows1252) {  // UTF-16 is converted as it is handed out
    AppendCsvField(out_, text, delimiter_);
    return true;
  }
  std::string bytes;
  if (!Utf8ToWindows1252(text, bytes)) return false;
  AppendCsvField(out_, bytes, delimiter_);
  return true;
}

void CsvOutput::Flush(CsvJobReport& report) {
  if (write_ && !IsUtf16(encoding_)) {
    report.Write(out_);
  } else if (write_) {
    std::string bytes;
    AppendUtf16(bytes, out_, encoding_ == Encoding::kUtf16BE);
    report.Write(bytes);
  }
  out_.clear();
}

}  // namespace torven
