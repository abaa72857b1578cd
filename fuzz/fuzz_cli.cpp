// The command-line program's formula reader and evaluator, and its --csv
// job (UTF-16 too), on arbitrary bytes: a clear error or a result, never a
// crash, and time linear in the input.  Each line is parsed, bound to a row
// of cells of every kind and evaluated through the add-in, loaded as torven
// loads it; then the whole input is a station file.
#include <cstdio>
#include <algorithm>
#include <cstdlib>
#include <string>
#include <vector>

#include "sheet/csv_job.h"
#include "sheet/encoding.h"
#include "sheet/formula.h"
#include "sheet/text_scan.h"
#include "tools/torven/session.h"

namespace {

torven::Session& LoadedSession() {
  static torven::Session* session = [] {
    auto* s = new torven::Session;
    std::string error;
    if (!s->Load(TORVEN_ADDIN_FILE, error)) {
      std::fprintf(stderr, "%s\n", error.c_str());
      std::abort();
    }
    return s;
  }();
  return *session;
}

// A row of cells of every kind: a number, empty, a text, a text that reads
// as a number, an error, a truth value, "nan", a date.
const std::vector<std::string> kHeader = {"a", "b", "c", "d", "e", "f", "g", "h"};
const std::vector<std::string> kRow = {"1,5", "", "abc", " 4", "#N/A", "VERDADERO", "nan", "2020-02-29"};

void ParseAndEvaluate(std::string_view line) {
  torven::Expr call;
  torven::ParseError error;
  torven::Writing writing;
  if (!torven::ParseCall(line, call, error, torven::DecimalMark::kAuto, &writing)) {
    if (error.message.empty() || error.column < 1 || static_cast<std::size_t>(error.column) > line.size() + 1)
      std::abort();
    return;
  }
  torven::Session& session = LoadedSession();
  std::string bindError;
  if (!session.Bind(call, &kHeader, bindError)) return;
  session.SetDecimalComma(true);
  const torven::Language dialect = torven::DialectOf(call, writing);
  (void)torven::Show(session.Evaluate(call, &kRow, dialect), -1, writing.decimalComma, dialect);
}

// The job's output and report, checked for their shape and dropped.
class Discard : public torven::CsvJobReport {
 public:
  void Write(std::string_view) override {}
  void Message(const std::string& line) override {
    if (line.empty()) std::abort();
  }
  void Row(const torven::CsvRow& row) override {
    if (row.added->size() != 2 || row.reported->size() != 1 || row.line < 2) std::abort();
  }
};

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  const std::string text(reinterpret_cast<const char*>(data), size);
  // Each line as a formula.
  std::size_t start = 0;
  while (start <= text.size()) {
    const std::size_t end = std::min(text.find('\n', start), text.size());
    ParseAndEvaluate(std::string_view(text).substr(start, end - start));
    start = end + 1;
  }
  // The whole input as a station file, through the --csv job with formulas
  // over its first columns (a header that lacks them ends the job early).
  std::FILE* in = fmemopen(const_cast<char*>(text.data()), text.size() + (text.empty() ? 1 : 0), "rb");
  if (in == nullptr) return 0;
  torven::CsvJob job;
  job.formulas = {"=SI(ESNUMERO(a);a*2;AÑO(a))", "=PVSF56(a)"};
  job.reported = {"=a"};
  Discard discard;
  (void)torven::RunCsvJob(in, "fuzz", job, LoadedSession(), discard);
  std::fclose(in);
  (void)torven::ToUtf8(torven::FromUtf8(text));
  return 0;
}
