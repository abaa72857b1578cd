// The module's --csv job: the engine torven runs, over the entries linked
// into the module.  The page puts the file's bytes and the job's text (one
// "key=value" per line: formula, name, report, decimals, mark, delimiter,
// encoding, language, missing, dates, header, accept=implausible, findings,
// season, and write=no for the report alone) into buffers the module gives it, and
// either reads the file's table
// (read_table: what the file is, its dialect, header, rows and first rows,
// and what the engine guesses of its columns and units, as JSON) or runs the
// job (run_csv) and reads back the output file's bytes, the messages, the
// checks' findings and the report: per row, its line, and for each added and
// reported formula a number (NaN when it is not one) and a kind (the host's
// type tag, and above 16 bits the error code of an error or the truth of a
// truth value); for each failed row, the cells its formula refused; for each
// doubtful row, its causes.
#include <algorithm>
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "sheet/columns.h"
#include "sheet/csv_job.h"
#include "sheet/date_profile.h"
#include "sheet/dates.h"
#include "sheet/encoding.h"
#include "sheet/gaps.h"
#include "sheet/hours.h"
#include "sheet/number_text.h"
#include "sheet/plausibility.h"
#include "sheet/row_dates.h"
#include "sheet/spaces.h"
#include "tools/hostsim/registration.h"
#include "worksheet/catalogue.h"
#include "web/wasm/export.h"
#include "worksheet/entries.h"

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
    const torven::Function f = torven::FromCatalogueRow(worksheet::kCatalogue[r]);
    for (const Entry& e : kEntries)
      if (f.procedure == e.procedure) functions.push_back({f.name, f.arity, e.address});
  }
  return functions;
}

std::vector<char> spec;
// The file's bytes, left uninitialised for the page to fill (a file of tens
// of megabytes is not zeroed first).
std::unique_ptr<char[]> input;
std::size_t inputSize = 0;
// What the file's bytes are (encoding, or why not text), scanned once.
std::optional<torven::TextVerdict> scanned;
std::string output, messages, result, faultyTexts, findings, doubtful, season;
std::vector<int> doubtfulRows, partialDays;
std::vector<int> lines, faulty;
std::vector<double> numbers;
std::vector<int> kinds;

class Report : public torven::CsvJobReport {
 public:
  void Write(std::string_view bytes) override { output.append(bytes); }
  void Message(const std::string& line) override { messages += line + "\n"; }
  void Finding(const std::string& text) override { findings += text + "\n"; }
  void Season(const std::string& problems, const std::string& endNote) override { season = problems + '\0' + endNote; }
  // Each partial day of hourly readings as aaaammdd, as the page's report writes a day.
  void PartialDays(const std::vector<long>& serials) override {
    for (const long serial : serials)
      if (torven::CivilDate d; torven::DateOfSerial(static_cast<double>(serial), d))
        partialDays.push_back(d.year * 10000 + d.month * 100 + d.day);
  }
  void Row(const torven::CsvRow& row) override {
    const int index = static_cast<int>(lines.size());
    if (!row.doubtful->empty()) {
      doubtfulRows.push_back(index);
      doubtful += *row.doubtful;
      doubtful += '\0';
    }
    lines.push_back(static_cast<int>(row.line));
    for (const auto* values : {row.added, row.reported})
      for (const Value& v : *values) {
        numbers.push_back(v.type == xl::kNum ? v.number : std::nan(""));
        kinds.push_back(static_cast<int>(v.type) | (v.type == xl::kErr || v.type == xl::kBool ? v.code << 16 : 0));
      }
    for (const torven::FaultyCell& cell : *row.faulty) {
      faulty.insert(faulty.end(), {index, cell.column, static_cast<int>(cell.kind)});
      faultyTexts += cell.text;
      faultyTexts += '\0';
    }
  }
};

// JSON, for the file's table.
void Quoted(std::string& out, std::string_view text) {
  out += '"';
  for (const char c : text) {
    if (c == '"' || c == '\\') out += '\\', out += c;
    else if (static_cast<unsigned char>(c) < 0x20) {
      char escape[8];
      std::snprintf(escape, sizeof escape, "\\u%04x", c);
      out += escape;
    } else {
      out += c;
    }
  }
  out += '"';
}

void List(std::string& out, const std::vector<std::string>& items) {
  out += '[';
  for (std::size_t i = 0; i < items.size(); ++i) {
    if (i > 0) out += ',';
    Quoted(out, items[i]);
  }
  out += ']';
}

const char* FlawName(torven::TextVerdict::Flaw flaw) {
  using F = torven::TextVerdict::Flaw;
  switch (flaw) {
    case F::kNulByte: return "nul-byte";
    case F::kUnassignedByte: return "unassigned-byte";
    case F::kNulCharacter: return "nul-character";
    case F::kUnpairedSurrogate: return "unpaired-surrogate";
    case F::kHalfCharacter: return "half-character";
    default: return "";
  }
}

Value NumberValue(double x) {
  Value v;
  v.type = xl::kNum;
  v.number = x;
  return v;
}

// The quantities by the page's names, in the order of torven::Quantity.
constexpr int kQuantities = 6;
constexpr const char* kQuantityNames[kQuantities] = {"temperatura", "viento", "radiacion", "humedad", "presion",
                                                     "radiacion_horaria"};

// What the page shows of a file before computing: its dialect, header, how
// many rows, the first 20, and the records left out.
class Table : public torven::CsvJobReport {
 public:
  void Write(std::string_view) override {}
  void Message(const std::string& line) override { messages_ += line + "\n"; }
  void NotText(const torven::TextVerdict& v) override {
    json_ = "{\"text\":false,\"flaw\":\"" + std::string(FlawName(v.flaw)) + "\",\"encoding\":\"" +
            torven::EncodingName(v.encoding) + "\",\"at\":" + std::to_string(v.at) + ",\"byte\":" +
            std::to_string(v.byte) + "}";
  }
  void Header(const std::vector<std::string>& names, const torven::CsvDialect& dialect) override {
    header_ = names;
    dialect_ = dialect;
    // Each row's day and time as the job reads them (a date column, or its
    // parts; a column of the time of day beside it).
    rowDates_.Find(dialect.dateColumn, dialect.dates, names, -1);
  }
  void Row(const torven::CsvRow& row) override {
    // The common gap codes, counted per column over every row.
    const auto& codes = torven::CommonGapCodes();
    if (gaps_.size() < row.fields->size()) gaps_.resize(row.fields->size(), std::vector<long>(codes.size(), 0));
    for (std::size_t c = 0; c < row.fields->size(); ++c)
      if (const int k = torven::CommonGaps().Index((*row.fields)[c]); k >= 0) ++gaps_[c][static_cast<std::size_t>(k)];
    // How many numbers each column holds, and the greatest, over the rows
    // whose medians the checks judge (what a unit is guessed from).
    if (rows_ < torven::ReadingChecks::kJudgedRows) {
      // The rows' days and times (readings of the hour or finer).
      if (const double serial = rowDates_.DayOf(*row.fields, row.fields->size(), dialect_.decimalComma, true);
          !std::isnan(serial))
        hours_.Add(serial);
      if (numbers_.size() < row.fields->size()) numbers_.resize(row.fields->size());
      for (std::size_t c = 0; c < row.fields->size(); ++c) {
        double x = 0;
        if (torven::NumberOfCell(torven::TrimSpaces((*row.fields)[c]), dialect_.decimalComma, x))
          numbers_[c].high = numbers_[c].numbers++ == 0 ? x : std::max(numbers_[c].high, x);
      }
    }
    if (first_.size() < 20) {
      std::vector<std::string> fields(*row.fields);
      if (dialect_.encoding == torven::Encoding::kWindows1252)
        for (std::string& f : fields) f = torven::Windows1252ToUtf8(f);
      first_.push_back(std::move(fields));
    }
    ++rows_;
  }
  void Skipped(long line, bool openQuote) override {
    skipped_.push_back(static_cast<int>(line));
    open_ = open_ || openQuote;
  }
  std::string Json() const {
    if (!json_.empty()) return json_;
    if (header_.empty() && !messages_.empty()) {  // why the file's table cannot be read
      std::string out = "{\"text\":true,\"refused\":";
      Quoted(out, messages_.substr(0, messages_.size() - 1));
      return out + "}";
    }
    std::string out = "{\"text\":true,\"encoding\":";
    Quoted(out, torven::EncodingName(dialect_.encoding));
    out += ",\"mark\":" + std::string(dialect_.byteOrderMark ? "true" : "false") + ",\"delimiter\":";
    Quoted(out, std::string_view(&dialect_.delimiter, 1));
    out += ",\"lineEnd\":";
    Quoted(out, dialect_.lineEnd);
    out += ",\"open\":" + std::string(open_ ? "true" : "false") + ",\"rows\":" + std::to_string(rows_);
    out += ",\"decimalComma\":" + std::string(dialect_.decimalComma ? "true" : "false");
    out += ",\"headerLine\":" + std::to_string(dialect_.headerLine) + ",\"unitsLine\":" +
           std::to_string(dialect_.unitsLine) + ",\"units\":";
    List(out, dialect_.units);
    out += ",\"header\":";
    List(out, header_);
    out += ",\"first\":[";
    for (std::size_t i = 0; i < first_.size(); ++i) {
      if (i > 0) out += ',';
      List(out, first_[i]);
    }
    out += "],\"gaps\":[";
    for (std::size_t c = 0; c < gaps_.size(); ++c) {
      out += c > 0 ? ",[" : "[";
      bool any = false;
      for (std::size_t k = 0; k < gaps_[c].size(); ++k) {
        if (gaps_[c][k] == 0) continue;
        out += any ? ",[" : "[";
        Quoted(out, torven::CommonGapCodes()[k]);
        out += "," + std::to_string(gaps_[c][k]) + "]";
        any = true;
      }
      out += "]";
    }
    out += "],\"dates\":[";
    for (std::size_t c = 0; c < dialect_.dates.size(); ++c) {
      const torven::DateProfile& d = dialect_.dates[c];
      out += (c > 0 ? ",{" : "{");
      const std::pair<const char*, long> counts[] = {
          {"cells", d.cells},   {"slash", d.slash},   {"dayFirst", d.dayFirst}, {"monthFirst", d.monthFirst},
          {"twoDigitYears", d.twoDigitYears}, {"compact", d.compact}, {"yearDay", d.yearDay},
          {"repeated", d.repeated}, {"order", d.DayFirst()}};
      for (std::size_t k = 0; k < std::size(counts); ++k)
        out += (k > 0 ? ",\"" : "\"") + std::string(counts[k].first) + "\":" + std::to_string(counts[k].second);
      const torven::DateProfile::Form form = d.MostCells();
      const torven::DateProfile::Clock clock = d.TimeOfDay();
      out += std::string(",\"clock\":\"") +
             (clock == torven::DateProfile::Clock::kText    ? "text"
              : clock == torven::DateProfile::Clock::kHours ? "hours"
              : clock == torven::DateProfile::Clock::kHhmm  ? "hhmm"
                                                             : "none") + "\"";
      out += std::string(",\"form\":\"") +
             (form == torven::DateProfile::Form::kCompact   ? "compact"
              : form == torven::DateProfile::Form::kYearDay ? "yearDay"
                                                            : "text") +
             "\"}";
    }
    out += "],\"hours\":";
    // Readings of the hour or finer: their period, the commonest step below a day.
    const long period = hours_.PeriodMinutes();
    out += period > 0 && period < 1440 ? "{\"period\":" + std::to_string(period) + "}" : "null";
    out += ",\"skipped\":[";
    for (std::size_t i = 0; i < skipped_.size(); ++i) out += (i > 0 ? "," : "") + std::to_string(skipped_[i]);
    out += "]";
    Guesses(out);
    return out + "}";
  }

  // What the engine guesses of the columns: each role's column, whether
  // the rows are months, the anemometer's height its name says, and each
  // column's unit of every quantity; and the units themselves.
  void Guesses(std::string& out) const {
    std::vector<torven::ColumnFacts> facts(header_.size());
    for (std::size_t c = 0; c < header_.size(); ++c) {
      facts[c].name = header_[c];
      if (c < numbers_.size()) facts[c].numbers = numbers_[c].numbers, facts[c].high = numbers_[c].high;
      if (c < dialect_.dates.size()) facts[c].dates = dialect_.dates[c];
      if (c < dialect_.units.size()) facts[c].unit = dialect_.units[c];
    }
    const torven::ColumnGuess guess = torven::GuessColumns(facts);
    out += ",\"guess\":{";
    for (int r = 0; r < static_cast<int>(torven::Role::kCount); ++r)
      out += (r > 0 ? ",\"" : "\"") + std::string(torven::RoleKey(static_cast<torven::Role>(r))) + "\":" +
             std::to_string(guess.columns[static_cast<std::size_t>(r)]);
    out += "},\"monthly\":" + std::string(guess.monthly ? "true" : "false");
    out += ",\"windHeight\":" + torven::Show(NumberValue(guess.windHeight), -1);
    out += ",\"unitGuess\":[";
    for (std::size_t c = 0; c < facts.size(); ++c) {
      out += c > 0 ? ",{" : "{";
      for (int q = 0; q < kQuantities; ++q)
        out += (q > 0 ? ",\"" : "\"") + std::string(kQuantityNames[q]) + "\":\"" +
               torven::GuessUnit(static_cast<torven::Quantity>(q), facts[c], dialect_.preamble) + "\"";
      out += "}";
    }
    out += "],\"unitTable\":[";
    bool first = true;
    for (const torven::Unit& u : torven::Units()) {
      out += first ? "{" : ",{";
      first = false;
      out += "\"quantity\":\"" + std::string(kQuantityNames[static_cast<int>(u.quantity)]) + "\",\"id\":";
      Quoted(out, u.id);
      out += ",\"label\":";
      Quoted(out, u.spanish);
      out += ",\"steps\":[";
      for (std::size_t i = 0; i < u.steps.size(); ++i)
        out += (i > 0 ? ",[\"" : "[\"") + std::string(1, u.steps[i].op) + "\"," +
               torven::Show(NumberValue(u.steps[i].constant), -1) + "]";
      out += "]}";
    }
    out += "]";
  }

 private:
  std::string json_, messages_;
  std::vector<std::string> header_;
  torven::CsvDialect dialect_;
  std::vector<std::vector<std::string>> first_;
  long rows_ = 0;
  std::vector<int> skipped_;
  bool open_ = false;
  std::vector<std::vector<long>> gaps_;  // per column, per common code
  struct Numbers {
    long numbers = 0;  // cells that are numbers
    double high = 0;   // the greatest of them
  };
  std::vector<Numbers> numbers_;  // per column, over the first rows
  torven::RowDates rowDates_;      // how a row gives its day and time
  torven::HourCoverage hours_;     // the first rows' times
};

torven::Evaluator& Engine() {
  static torven::Evaluator evaluator;
  static const bool ready = (evaluator.SetAddInFunctions(Functions()), true);
  (void)ready;
  return evaluator;
}

// The file as a stream over the input buffer.
std::FILE* OpenInput() {
  std::FILE* in = fmemopen(inputSize == 0 ? nullptr : input.get(), inputSize, "rb");
  return in != nullptr ? in : fmemopen(nullptr, 1, "w+b");  // an empty file
}

// The job's text as options.
torven::CsvJob JobOf(std::string_view text) {
  torven::CsvJob job;
  if (!scanned) {
    torven::TextScan scan;
    scan.Feed({input.get(), inputSize});
    scanned = scan.Verdict();
  }
  job.scanned = &*scanned;
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
    else if (key == "missing") job.missing.push_back(value);
    else if (key == "dates") job.dates = value;
    else if (key == "header") job.headerLine = std::atol(value.c_str());
    else if (key == "accept") job.acceptImplausible = value == "implausible";
    else if (key == "findings") job.findings = value;
    else if (key == "write") job.write = value != "no";
    else if (key == "season") job.season = value;
  }
  return job;
}

}  // namespace

// Buffers of `size` bytes for the file and for the job's text.
TORVEN_WASM_EXPORT("input_buffer") char* InputBuffer(int size) {
  inputSize = static_cast<std::size_t>(std::max(size, 0));
  input.reset(new char[std::max<std::size_t>(inputSize, 1)]);
  scanned.reset();
  return input.get();
}
TORVEN_WASM_EXPORT("job_buffer") char* JobBuffer(int size) {
  spec.assign(static_cast<std::size_t>(size), '\0');
  return spec.data();
}

// Reads the file's table (with the job's reading options); its JSON is the
// result text.
TORVEN_WASM_EXPORT("read_table") int ReadTable() {
  torven::CsvJob job = JobOf({spec.data(), spec.size()});
  job.formulas.clear(), job.reported.clear();
  job.write = false;
  Table table;
  std::FILE* in = OpenInput();
  torven::RunCsvJob(in, "csv", job, Engine(), table);
  std::fclose(in);
  result = table.Json();
  return static_cast<int>(result.size());
}

// Runs the job over the file; its status as torven's (0, 1 or 2).
TORVEN_WASM_EXPORT("run_csv") int RunCsv() {
  output.clear(), messages.clear(), lines.clear(), numbers.clear(), kinds.clear(), faulty.clear();
  faultyTexts.clear(), findings.clear(), doubtful.clear(), doubtfulRows.clear(), season.clear(), partialDays.clear();
  Report report;
  std::FILE* in = OpenInput();
  const int status = torven::RunCsvJob(in, "csv", JobOf({spec.data(), spec.size()}), Engine(), report);
  std::fclose(in);
  return status;
}

// A number as torven prints it (shortest, or `decimals` fixed; with a
// decimal comma when asked), as the result text.
TORVEN_WASM_EXPORT("show_number") int ShowNumber(double x, int comma, int decimals) {
  result = torven::Show(NumberValue(x), decimals, comma != 0);
  return static_cast<int>(result.size());
}

// A number typed in the job buffer ("40,49", "-37.85", "1e3"), as a cell
// with a decimal comma or point is read; NaN when it is none.
TORVEN_WASM_EXPORT("number_of_text") double NumberOfText(int length) {
  double x = 0;
  const std::string_view text(spec.data(), std::min(spec.size(), static_cast<std::size_t>(length)));
  return torven::NumberOfCell(text, true, x) ? x : std::nan("");
}

// What the job gave: the output's bytes, the messages (UTF-8, one a line),
// and the report's arrays (rows; per row and formula a number and a kind;
// per faulty cell of a failed row, its row's index, column and kind, and its
// text, each ended by a NUL); and the last result text.
TORVEN_WASM_EXPORT("output_data") const char* OutputData() { return output.data(); }
TORVEN_WASM_EXPORT("output_size") int OutputSize() { return static_cast<int>(output.size()); }
TORVEN_WASM_EXPORT("messages_data") const char* MessagesData() { return messages.data(); }
TORVEN_WASM_EXPORT("messages_size") int MessagesSize() { return static_cast<int>(messages.size()); }
TORVEN_WASM_EXPORT("report_rows") int ReportRows() { return static_cast<int>(lines.size()); }
TORVEN_WASM_EXPORT("report_lines") const int* ReportLines() { return lines.data(); }
TORVEN_WASM_EXPORT("report_numbers") const double* ReportNumbers() { return numbers.data(); }
TORVEN_WASM_EXPORT("report_kinds") const int* ReportKinds() { return kinds.data(); }
TORVEN_WASM_EXPORT("report_faulty") const int* ReportFaulty() { return faulty.data(); }
TORVEN_WASM_EXPORT("report_faulty_count") int ReportFaultyCount() { return static_cast<int>(faulty.size() / 3); }
TORVEN_WASM_EXPORT("report_faulty_texts") const char* ReportFaultyTexts() { return faultyTexts.data(); }
TORVEN_WASM_EXPORT("report_faulty_texts_size") int ReportFaultyTextsSize() { return static_cast<int>(faultyTexts.size()); }
TORVEN_WASM_EXPORT("result_data") const char* ResultData() { return result.data(); }
// The checks' findings (UTF-8, one a line), and the doubtful rows: their
// indexes and their causes, each ended by a NUL.
TORVEN_WASM_EXPORT("findings_data") const char* FindingsData() { return findings.data(); }
TORVEN_WASM_EXPORT("findings_size") int FindingsSize() { return static_cast<int>(findings.size()); }
TORVEN_WASM_EXPORT("doubtful_rows") const int* DoubtfulRows() { return doubtfulRows.data(); }
TORVEN_WASM_EXPORT("doubtful_count") int DoubtfulCount() { return static_cast<int>(doubtfulRows.size()); }
TORVEN_WASM_EXPORT("doubtful_data") const char* DoubtfulData() { return doubtful.data(); }
TORVEN_WASM_EXPORT("doubtful_size") int DoubtfulSize() { return static_cast<int>(doubtful.size()); }
// With a season: why its rows are not its days, a NUL, and the day the
// file ends on before its end (each "" when none).
TORVEN_WASM_EXPORT("season_data") const char* SeasonData() { return season.data(); }
TORVEN_WASM_EXPORT("season_size") int SeasonSize() { return static_cast<int>(season.size()); }
// With readings of the hour or finer: the days with hours missing, aaaammdd.
TORVEN_WASM_EXPORT("partial_days") const int* PartialDaysData() { return partialDays.data(); }
TORVEN_WASM_EXPORT("partial_count") int PartialCount() { return static_cast<int>(partialDays.size()); }
