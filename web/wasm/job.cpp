// The module's --csv job: the engine torven runs, over the entries linked
// into the module.  The page puts the file's bytes and the job's text (one
// "key=value" per line: formula, name, report, decimals, mark, delimiter,
// encoding, language) into buffers the module gives it, runs the job, and
// reads back the output file's bytes, the messages and the report: per row,
// its line, and for each added and reported formula a number (NaN when it is
// not one) and a kind (the host's type tag, and the error code for an
// error), and the first faulty cell of a failed row.
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <string>
#include <vector>

#include "sheet/csv_job.h"
#include "sheet/encoding.h"
#include "worksheet/catalogue.h"
#include "worksheet/entries.h"

#define TORVEN_WASM_EXPORT(name) extern "C" __attribute__((export_name(name)))

namespace {

using torven::Value;

// The entries, by their procedure names in the catalogue.
struct Entry {
  const char* procedure;
  const void* address;
};
const Entry kEntries[] = {
    {"RADF56A_XLL", reinterpret_cast<const void*>(&RADF56A_XLL)},
    {"RADF56P_XLL", reinterpret_cast<const void*>(&RADF56P_XLL)},
    {"DDIAF56_XLL", reinterpret_cast<const void*>(&DDIAF56_XLL)},
    {"RADAF56_XLL", reinterpret_cast<const void*>(&RADAF56_XLL)},
    {"PVSF56_XLL", reinterpret_cast<const void*>(&PVSF56_XLL)},
    {"PVTRF56_XLL", reinterpret_cast<const void*>(&PVTRF56_XLL)},
    {"PVHRF56_XLL", reinterpret_cast<const void*>(&PVHRF56_XLL)},
    {"PVHM_XLL", reinterpret_cast<const void*>(&PVHM_XLL)},
    {"ETPF56_XLL", reinterpret_cast<const void*>(&ETPF56_XLL)},
    {"JDIA_XLL", reinterpret_cast<const void*>(&JDIA_XLL)}};

// The add-in's functions as the catalogue registers them.
std::vector<torven::AddInFunction> Functions() {
  std::vector<torven::AddInFunction> functions;
  for (int r = 0; r < worksheet::kCatalogueRows; ++r) {
    const std::string procedure = torven::ToUtf8(worksheet::kCatalogue[r][worksheet::kProcedure]);
    const std::u16string_view type = worksheet::kCatalogue[r][worksheet::kTypeText];
    for (const Entry& e : kEntries)
      if (procedure == e.procedure)
        functions.push_back({torven::ToUtf8(worksheet::kCatalogue[r][worksheet::kFunctionText]),
                             static_cast<int>(type.size()) - 1, e.address});
  }
  return functions;
}

std::vector<char> input, spec;
std::string output, messages;
std::vector<int> lines, faulty;
std::vector<double> numbers;
std::vector<int> kinds;

class Report : public torven::CsvJobReport {
 public:
  void Write(std::string_view bytes) override { output.append(bytes); }
  void Message(const std::string& line) override { messages += line + "\n"; }
  void Row(const torven::CsvRow& row) override {
    lines.push_back(static_cast<int>(row.line));
    for (const auto* values : {row.added, row.reported})
      for (const Value& v : *values) {
        numbers.push_back(v.type == xl::kNum ? v.number : std::nan(""));
        kinds.push_back(static_cast<int>(v.type) | (v.type == xl::kErr ? v.code << 16 : 0));
      }
    const auto& cells = *row.faulty;
    faulty.push_back(cells.empty() ? -1 : cells[0].column * 4 + static_cast<int>(cells[0].kind));
  }
};

// The job's text as options.
torven::CsvJob JobOf(std::string_view text) {
  torven::CsvJob job;
  while (!text.empty()) {
    const std::size_t end = std::min(text.find('\n'), text.size());
    const std::string_view line = text.substr(0, end);
    text.remove_prefix(std::min(end + 1, text.size()));
    const std::size_t equals = line.find('=');
    if (equals == std::string_view::npos) continue;
    const std::string_view key = line.substr(0, equals);
    const std::string value(line.substr(equals + 1));
    if (key == "formula") job.formulas.push_back(value);
    else if (key == "name") job.names.push_back(value);
    else if (key == "report") job.reported.push_back(value);
    else if (key == "decimals") job.decimals = std::atoi(value.c_str());
    else if (key == "mark") job.mark = value == "comma" ? torven::DecimalMark::kComma
                                       : value == "point" ? torven::DecimalMark::kPoint
                                                          : torven::DecimalMark::kAuto;
    else if (key == "delimiter") job.delimiter = value;
    else if (key == "encoding") job.encoding = value;
    else if (key == "language") job.language = value;
  }
  return job;
}

}  // namespace

// Buffers of `size` bytes for the file and for the job's text.
TORVEN_WASM_EXPORT("input_buffer") char* InputBuffer(int size) {
  input.assign(static_cast<std::size_t>(size), '\0');
  return input.data();
}
TORVEN_WASM_EXPORT("job_buffer") char* JobBuffer(int size) {
  spec.assign(static_cast<std::size_t>(size), '\0');
  return spec.data();
}

// Runs the job over the file; its status as torven's (0, 1 or 2).
TORVEN_WASM_EXPORT("run_csv") int RunCsv() {
  static torven::Evaluator evaluator;
  static const bool ready = (evaluator.SetAddInFunctions(Functions()), true);
  (void)ready;
  output.clear(), messages.clear(), lines.clear(), numbers.clear(), kinds.clear(), faulty.clear();
  std::FILE* in = fmemopen(input.empty() ? nullptr : input.data(), input.size(), "rb");
  if (in == nullptr) in = fmemopen(nullptr, 1, "w+b");  // an empty file
  Report report;
  const int status = torven::RunCsvJob(in, "csv", JobOf({spec.data(), spec.size()}), evaluator, report);
  std::fclose(in);
  return status;
}

// What the job gave: the output's bytes, the messages (UTF-8, one a line),
// and the report's arrays (rows; per row and formula a number and a kind;
// per row the first faulty cell, column * 4 + kind, or -1).
TORVEN_WASM_EXPORT("output_data") const char* OutputData() { return output.data(); }
TORVEN_WASM_EXPORT("output_size") int OutputSize() { return static_cast<int>(output.size()); }
TORVEN_WASM_EXPORT("messages_data") const char* MessagesData() { return messages.data(); }
TORVEN_WASM_EXPORT("messages_size") int MessagesSize() { return static_cast<int>(messages.size()); }
TORVEN_WASM_EXPORT("report_rows") int ReportRows() { return static_cast<int>(lines.size()); }
TORVEN_WASM_EXPORT("report_lines") const int* ReportLines() { return lines.data(); }
TORVEN_WASM_EXPORT("report_numbers") const double* ReportNumbers() { return numbers.data(); }
TORVEN_WASM_EXPORT("report_kinds") const int* ReportKinds() { return kinds.data(); }
TORVEN_WASM_EXPORT("report_faulty") const int* ReportFaulty() { return faulty.data(); }
