#include "sheet/csv_job.h"

#include <algorithm>
#include <deque>
#include <map>
#include <memory>
#include <optional>

#include "sheet/coverage.h"
#include "sheet/csv.h"
#include "sheet/csv_output.h"
#include "sheet/date_profile.h"
#include "sheet/dates.h"
#include "sheet/encoding.h"
#include "sheet/layout.h"
#include "sheet/names.h"
#include "sheet/number_text.h"
#include "sheet/plausibility.h"
#include "sheet/references.h"
#include "sheet/row_dates.h"
#include "sheet/row_report.h"
#include "sheet/season.h"
#include "sheet/spaces.h"
#include "sheet/text_scan.h"

namespace torven {
namespace {

// A forced language, or the file's.
Language LanguageOf(const CsvJob& job, Language file) {
  if (job.language == "es") return Language::kSpanish;
  if (job.language == "en") return Language::kEnglish;
  return file;
}

// The delimiter a job names ("" when it names none).
char DelimiterOf(const std::string& name) {
  if (name.empty()) return 0;
  return name == "tab" ? '\t' : name == "space" ? ' ' : name[0];
}

// A cell's text in the program's UTF-8.
std::string Utf8Of(std::string text, Encoding encoding) {
  return encoding == Encoding::kWindows1252 ? Windows1252ToUtf8(text) : text;
}

class Run {
 public:
  Run(std::FILE* in, const std::string& name, const CsvJob& job, Evaluator& evaluator, CsvJobReport& report)
      : in_(in), name_(name), job_(job), evaluator_(evaluator), report_(report), reader_(in) {}

  ~Run() {  // the evaluator outlives the job
    evaluator_.SetSheet(nullptr);
    evaluator_.SetCallWatcher(nullptr);
  }

  int Go() {
    if (!ReadEncoding() || !ReadHeader() || !ReadFormulas(job_.formulas, formulas_, "call") ||
        !ReadFormulas(job_.reported, reported_, "reported formula") || !DecideDateOrder() || !ReadSeason() || !ReadReach() ||
        !WriteHeader())
      return 2;
    evaluator_.SetCallWatcher(&checks_);
    EvaluateRows();
    if (refused_) return 2;
    SayTotals();
    return bad_ > 0 || (season_ && season_->Broken()) ? 1 : 0;
  }

 private:
  void Say(const std::string& line) { report_.Message(line); }

  // What the file is: its encoding, forced or found (UTF-16 by its
  // byte-order mark, else UTF-8 when the whole file is valid UTF-8, else
  // Windows-1252), or why it is not text.  A file is read whole to decide;
  // a stream, by its first block.
  bool ReadEncoding() {
    const bool forced = !job_.encoding.empty();
    TextScan scan(!forced);
    TextVerdict verdict = !forced && job_.scanned != nullptr ? *job_.scanned
                          : ScanSeekableFile(in_, scan)      ? scan.Verdict()
                                                             : reader_.FirstBlockVerdict(!forced);
    if (forced) {
      // A forced encoding reads every byte but NUL.
      if (!verdict.nulByte) verdict.text = true, verdict.problem.clear();
      verdict.encoding = job_.encoding == "utf-8" ? Encoding::kUtf8 : Encoding::kWindows1252;
    }
    if (!verdict.text) {
      report_.NotText(verdict);
      Say(name_ + ": " + verdict.problem + "; nothing was written");
      return false;
    }
    encoding_ = verdict.encoding;
    reader_.ReadAs(encoding_);
    layout_ = DetectLayout(reader_.FirstBlock(), reader_.FirstBlockIsWhole(), DelimiterOf(job_.delimiter),
                           job_.headerLine);
    if (layout_.fixedWidth && job_.delimiter.empty()) {
      Say(name_ + ": " + (findings_ == Language::kSpanish ? FixedWidthSpanish() : FixedWidthEnglish()));
      return false;
    }
    reader_.SetDelimiter(layout_.delimiter);
    // The output keeps the input's dialect: with ';' between fields (or
    // decimal commas in its numbers), numbers carry a decimal comma and
    // errors their Spanish names (as the Spanish-language spreadsheet writes
    // and reads them back).
    delimiter_ = reader_.Delimiter();
    comma_ = job_.mark == DecimalMark::kAuto ? layout_.decimalComma : job_.mark == DecimalMark::kComma;
    language_ = LanguageOf(job_, layout_.decimalComma ? Language::kSpanish : Language::kEnglish);
    evaluator_.SetDecimalComma(comma_);
    evaluator_.SetCellEncoding(encoding_);
    evaluator_.SetDayFirst(job_.dates == "dmy" ? 1 : job_.dates == "mdy" ? 0 : -1);
    // Gap codes compared with the cells' bytes (a code Windows-1252 cannot
    // hold is in no cell of such a file).
    std::vector<std::string> gaps;
    for (const std::string& code : job_.missing) {
      std::string bytes = code;
      if (encoding_ != Encoding::kWindows1252 || Utf8ToWindows1252(code, bytes)) gaps.push_back(bytes);
    }
    evaluator_.SetGapCodes(std::move(gaps));
    return true;
  }

  bool ReadHeader() {
    std::string error, line;
    // The lines before the header, kept to be written back as they are
    // (a line read has its line end known).
    while (reader_.NextLine() < layout_.headerLine && reader_.SkipLine(line))
      preamble_.append(line).append(reader_.LineEnd());
    if (!reader_.Next(header_, width_, error) || !error.empty()) {
      Say(name_ + ": " + (error.empty() ? "no header row" : error));
      return false;
    }
    // A header that names fewer columns than its rows hold (a program's
    // report): the others are unnamed.
    if (job_.headerLine == 0 && layout_.width > width_) width_ = layout_.width;
    header_.resize(width_);
    // Column names as the formulas write them: in UTF-8, without the spaces
    // around them, nor the '#' of a header written as a comment.
    names_.clear();
    for (const std::string& field : header_) names_.push_back(Utf8Of(std::string(TrimSpaces(field)), encoding_));
    if (!names_.empty() && names_[0].rfind('#', 0) == 0 && !reader_.Quoted(0))
      names_[0] = std::string(TrimSpaces(std::string_view(names_[0]).substr(1)));
    CsvDialect dialect;
    dialect.encoding = encoding_;
    dialect.byteOrderMark = reader_.HadByteOrderMark();
    dialect.delimiter = delimiter_;
    dialect.decimalComma = comma_;
    dialect.lineEnd = reader_.LineEnd();
    dialect.headerLine = reader_.RecordLine();
    dialect.unitsLine = layout_.unitsLine;
    dialect.preamble = Utf8Of(preamble_, encoding_);
    for (std::size_t c = 0; c < layout_.dates.size() && c < width_ && dialect.dateColumn < 0; ++c)
      if (layout_.dates[c].MostlyDates()) dialect.dateColumn = static_cast<int>(c);
    dateColumn_ = dialect.dateColumn;
    dialect.dates = layout_.dates;
    dialect.dates.resize(width_);
    for (const std::string& unit : layout_.units) dialect.units.push_back(Utf8Of(unit, encoding_));
    report_.Header(names_, dialect);
    return true;
  }

  struct Formula {
    Expr expr;
    Language dialect = Language::kEnglish;
  };

  bool ReadFormulas(const std::vector<std::string>& texts, std::vector<Formula>& formulas, const char* what) {
    formulas.resize(texts.size());
    for (std::size_t i = 0; i < texts.size(); ++i) {
      ParseError parseError;
      Writing writing;
      std::string error;
      if (!ParseCall(texts[i], formulas[i].expr, parseError, job_.mark, &writing)) {
        Say(std::string(what) + " " + std::to_string(i + 1) + ", column " + std::to_string(parseError.column) + ": " +
            parseError.message);
        return false;
      }
      if (!evaluator_.Bind(formulas[i].expr, &names_, error)) {
        Say(std::string(what) + " " + std::to_string(i + 1) + ", " + error);
        return false;
      }
      formulas[i].dialect = DialectOf(formulas[i].expr, writing);
    }
    return true;
  }

  // Why a file of fixed-width columns is not read, and what to do.
  std::string FixedWidthEnglish() const {
    return "its columns have a fixed width (every line " + std::to_string(layout_.lineLength) +
           " characters; a value that fills its column touches the next, a missing one is blanks), so its fields "
           "cannot be told apart by a delimiter and most rows would be dropped. Open it in the spreadsheet as text "
           "of fixed width (Data, Text to Columns) and save it as CSV, or export CSV from the program that made it; "
           "--delimiter space reads it as space-separated anyway. Nothing was written";
  }
  std::string FixedWidthSpanish() const {
    return "sus columnas tienen ancho fijo (cada línea de " + std::to_string(layout_.lineLength) +
           " caracteres; un valor que llena su columna toca el siguiente, uno que falta son espacios): ningún "
           "separador distingue sus campos y se perderían la mayoría de las filas. Ábralo en la planilla como texto "
           "de ancho fijo (Datos, Texto en columnas) y guárdelo como CSV, o exporte CSV desde el programa que lo hizo";
  }

  // The columns of the file that a formula reads.
  void MarkColumnsRead(const Expr& e, std::vector<bool>& read) const {
    if ((e.kind == Expr::Kind::Column || e.kind == Expr::Kind::Reference) && e.binding >= 0 &&
        static_cast<std::size_t>(e.binding) < read.size())
      read[static_cast<std::size_t>(e.binding)] = true;
    for (const Expr& arg : e.args) MarkColumnsRead(arg, read);
  }

  // How d/m/y and m/d/y dates read (sheet/row_dates.h), and where each
  // row's day is, for the days the file covers.
  bool DecideDateOrder() {
    std::vector<bool> read(width_, false);
    for (const auto* list : {&formulas_, &reported_})
      for (const Formula& f : *list) MarkColumnsRead(f.expr, read);
    int order = -1;
    std::string message;
    if (!torven::DecideDateOrder(job_.dates, read, layout_.dates, names_, findings_, order, message)) {
      Say(name_ + ": " + message);
      return false;
    }
    evaluator_.SetDayFirst(order);
    rowDates_.Find(dateColumn_, layout_.dates, names_, order);
    // A day's ET0 over readings of the hour or finer cannot be right.
    bool daily = false;
    for (const Formula& f : formulas_) daily = daily || Calls(f.expr, "ETPF56");
    if (daily && !job_.acceptImplausible && rowDates_.SeveralADay(layout_.dates, names_, findings_, message)) {
      Say(name_ + ": " + message);
      return false;
    }
    return true;
  }

  // Whether `e` calls the function `name` (upper case; as written in any case).
  static bool Calls(const Expr& e, std::string_view name) {
    if (e.kind == Expr::Kind::Call && UpperName(e.name) == name) return true;
    for (const Expr& arg : e.args)
      if (Calls(arg, name)) return true;
    return false;
  }

  // The season the job names ("first/last", ISO dates), whose rows are
  // checked to be its days; it needs the rows' dates.
  bool ReadSeason() {
    if (job_.season.empty()) return true;
    const std::size_t slash = job_.season.find('/');
    CivilDate first, last;
    if (slash == std::string::npos || !DateOfText(std::string_view(job_.season).substr(0, slash), false, first) ||
        !DateOfText(std::string_view(job_.season).substr(slash + 1), false, last) ||
        SerialOfDate(first) > SerialOfDate(last)) {
      Say(name_ + ": the season '" + job_.season + "' is not its first and last days, as 2020-04-15/2020-08-17");
      return false;
    }
    if (!rowDates_.Any()) {
      Say(name_ + ": the season's rows cannot be checked: the file has no column of dates (nor year, month and day)");
      return false;
    }
    season_.emplace(static_cast<long>(SerialOfDate(first)), static_cast<long>(SerialOfDate(last)));
    return true;
  }

  bool WriteHeader() {
    out_.Begin(encoding_, reader_.HadByteOrderMark(), delimiter_, reader_.LineEnd(), job_.write);
    out_.Raw(preamble_);
    out_.Fields(header_, width_);
    for (std::size_t i = 0; i < formulas_.size(); ++i) {
      const std::string& added = i < job_.names.size() ? job_.names[i] : job_.formulas[i];
      if (!out_.Added(added)) {
        Say("the column name '" + added + "' cannot be written in " + EncodingName(encoding_) + ", the encoding of '" +
            name_ + "'");
        return false;
      }
    }
    out_.EndLine();
    return true;
  }

  // A record of the file after its header, as read and as evaluated.
  struct Record {
    enum class Kind { kData, kBlank, kUnits, kSkipped };
    Kind kind = Kind::kData;
    long line = 0;
    std::size_t count = 0;
    std::vector<std::string> row;    // as read
    std::vector<std::string> cells;  // as evaluated, when `padded`
    bool padded = false;
    std::string error;
    std::vector<Value> added, reported;
    std::vector<FaultyCell> faulty;
    const std::vector<std::string>& Cells() const { return padded ? cells : row; }
  };

  // The sheet the formulas' references read: the header, the rows in the
  // window around the one evaluated, and the fixed rows kept.
  class Sheet : public SheetRows {
   public:
    explicit Sheet(const Run& run) : run_(run) {}
    SheetCell At(long row, int column) const override {
      const auto c = static_cast<std::size_t>(column);
      if (row == 1) return c < run_.headerValues_.size() ? SheetCell{nullptr, &run_.headerValues_[c]} : SheetCell{};
      const Record* r = run_.RecordAt(row);
      if (r == nullptr) return {};
      if (c < run_.width_) return c < r->count ? SheetCell{&r->Cells()[c], nullptr} : SheetCell{};
      const std::size_t j = c - run_.width_;
      return r->kind == Record::Kind::kData && j < r->added.size() ? SheetCell{nullptr, &r->added[j]} : SheetCell{};
    }

   private:
    const Run& run_;
  };

  const Record* RecordAt(long row) const {
    if (row >= firstRow_ && row < firstRow_ + static_cast<long>(window_.size()))
      return &window_[static_cast<std::size_t>(row - firstRow_)];
    const auto kept = fixed_.find(row);
    return kept != fixed_.end() ? &kept->second : nullptr;
  }

  // What the formulas reach of the sheet, or why they cannot be evaluated.
  bool ReadReach() {
    std::vector<const Expr*> all;
    for (const Formula& f : formulas_) all.push_back(&f.expr);
    for (const Formula& f : reported_) all.push_back(&f.expr);
    std::string error;
    if (!ReachOf(all, static_cast<int>(width_), static_cast<int>(formulas_.size()), reach_, error)) {
      Say(error);
      return false;
    }
    // Row 1: the header's names, then the added columns'.
    std::vector<std::string> columns;
    for (std::size_t i = 0; i < width_ + formulas_.size(); ++i) {
      columns.push_back(i < width_ ? names_[i] : i - width_ < job_.names.size() ? job_.names[i - width_]
                                                                               : job_.formulas[i - width_]);
      Value v;
      v.type = xl::kStr;
      v.text = FromUtf8(columns.back());
      headerValues_.push_back(std::move(v));
    }
    rowReport_.SetColumns(std::move(columns));
    evaluator_.SetSheet(&sheet_);
    return true;
  }

  // Reads records into the window, and evaluates and writes each row once
  // the rows below it that the formulas read are in: memory holds the rows
  // the formulas reach, whatever the file's length.
  void EvaluateRows() {
    long next = 2;  // the row evaluated next
    for (bool more = true; more;) {
      more = ReadRecord();
      const long last = firstRow_ + static_cast<long>(window_.size()) - 1;
      for (; next <= last && (!more || next + reach_.below <= last); ++next) {
        Process(window_[static_cast<std::size_t>(next - firstRow_)], next);
        if (!judged_ && processed_ >= ReadingChecks::kJudgedRows && !Judge()) return;
        if (judged_ && out_.Size() > (1 << 16)) out_.Flush(report_);
        // Rows no formula reaches any more leave the window (fixed rows are kept).
        while (firstRow_ < next + 1 - reach_.above) {
          if (std::binary_search(reach_.fixedRows.begin(), reach_.fixedRows.end(), firstRow_))
            fixed_[firstRow_] = window_.front();
          spare_.push_back(std::move(window_.front()));
          window_.pop_front();
          ++firstRow_;
        }
      }
    }
    if (!judged_ && !Judge()) return;
    out_.Flush(report_);
  }

  // Whether the rows judged so far let the job go on: a quantity whose
  // median cannot be right stops it, nothing written, unless accepted.
  bool Judge() {
    judged_ = true;
    const std::vector<std::string> found = checks_.Implausible(findings_);
    for (const std::string& f : found) report_.Finding(f);
    if (found.empty() || job_.acceptImplausible) return true;
    Say(name_ + ": nothing was written (--accept-implausible computes with these values)");
    out_.Drop();
    refused_ = true;
    return false;
  }

  // The next record into the window; false at the end of the file.
  bool ReadRecord() {
    Record r;
    if (!spare_.empty()) {
      r = std::move(spare_.back());
      spare_.pop_back();
    }
    if (!reader_.Next(r.row, r.count, r.error)) return false;
    if (++rows_ % 100000 == 0) report_.Progress(rows_);
    r.line = reader_.RecordLine();
    r.padded = false;
    if (r.error.empty() && IsBlank(r.row, r.count)) {
      r.kind = Record::Kind::kBlank;
    } else if (r.error.empty() && r.line == layout_.unitsLine) {
      r.kind = Record::Kind::kUnits;
    } else if (!r.error.empty() || r.count != width_) {
      r.kind = Record::Kind::kSkipped;
      report_.Skipped(r.line, !r.error.empty());
      rowReport_.Skipped();
      Say(name_ + ":" + std::to_string(r.line) + ": " +
          (!r.error.empty() ? r.error
                            : "ragged row: " + std::to_string(r.count) + " fields, the header has " +
                                  std::to_string(width_)));
      ++bad_;
    } else {
      r.kind = Record::Kind::kData;
      ReadCells(r);
    }
    window_.push_back(std::move(r));
    return true;
  }

  // Evaluates a record (row `row` of the sheet) and writes it.
  void Process(Record& r, long row) {
    switch (r.kind) {
      case Record::Kind::kBlank: WriteBlank(r.count); NoData(); return;
      case Record::Kind::kUnits: WriteUnits(r.row, r.count); NoData(); return;
      case Record::Kind::kSkipped: NoData(); return;
      case Record::Kind::kData: break;
    }
    evaluator_.SetSheetRow(row);
    r.added.resize(formulas_.size());
    r.reported.resize(reported_.size());
    WriteRow(r);
    ++processed_;
    const auto failed = std::find_if(r.added.begin(), r.added.end(), [](const Value& v) { return v.type == xl::kErr; });
    if (failed == r.added.end()) {
      rowReport_.Computed();
    } else {
      ++bad_;
      rowReport_.Failed(r.line, DateText(r), static_cast<int>(width_ + static_cast<std::size_t>(failed - r.added.begin())),
                   *failed, r.faulty, language_);
    }
    for (std::size_t i = 0; i < reported_.size(); ++i)
      r.reported[i] = evaluator_.Evaluate(reported_[i].expr, &r.Cells(), reported_[i].dialect, !formulas_.empty() || i > 0);
    doubtful_ = checks_.EndRow(findings_);
    if (!doubtful_.empty()) rowReport_.Doubtful(r.line, DateText(r), doubtful_, findings_);
    if (rowDates_.Any() && (!formulas_.empty() || season_)) {
      const double day = rowDates_.DayOf(r.row, r.count, comma_, language_ == Language::kSpanish);
      if (!formulas_.empty()) coverage_.Add(day, r.line);
      if (season_) season_->Row(day, r.line);
    }
    CsvRow report;
    report.line = r.line;
    report.added = &r.added;
    report.reported = &r.reported;
    report.faulty = &r.faulty;
    report.fields = &r.row;
    report.doubtful = &doubtful_;
    report_.Row(report);
  }

  // The date of a row as it is written, for messages ("" when the file has no column of dates).
  std::string DateText(const Record& r) const {
    if (dateColumn_ < 0 || static_cast<std::size_t>(dateColumn_) >= r.count) return "";
    return Utf8Of(std::string(TrimSpaces(r.row[static_cast<std::size_t>(dateColumn_)])), encoding_);
  }

  // A line without data, inside the season when it has begun.
  void NoData() {
    if (season_) season_->NoData();
  }

  // After the rows: what they show together, then the rows' totals.
  void SayTotals() {
    if (season_) report_.Season(season_->Problems(findings_), season_->EndNote(findings_));
    if (formulas_.empty()) return;
    if (const std::string calm = checks_.CalmWind(findings_); !calm.empty()) report_.Finding(calm);
    if (const std::string days = coverage_.Summary(findings_); !days.empty()) report_.Finding(days);
    if (const std::vector<long> partial = coverage_.PartialHourDays(); !partial.empty()) report_.PartialDays(partial);
    rowReport_.Totals();
  }

  // A blank line, or a row of bare delimiters: no data, so neither
  // evaluated nor a ragged row; written back as it was.
  static bool IsBlank(const std::vector<std::string>& row, std::size_t count) {
    for (std::size_t i = 0; i < count; ++i)
      if (!TrimSpaces(row[i]).empty()) return false;
    return true;
  }
  // The row of units, written back with the added columns empty.
  void WriteUnits(const std::vector<std::string>& row, std::size_t count) {
    out_.Fields(row, count);
    out_.Delimiters(formulas_.size());
    out_.EndLine();
  }

  // The cells as the spreadsheet's import reads them: a field not quoted
  // that is a number with spaces around it ("  177") is the number, and one
  // of spaces alone is empty; otherwise the row as read.
  void ReadCells(Record& r) {
    for (std::size_t i = 0; i < width_ && !r.padded; ++i)
      r.padded = !r.row[i].empty() && (r.row[i].front() == ' ' || r.row[i].back() == ' ') && !reader_.Quoted(i);
    if (!r.padded) return;
    r.cells.resize(width_);
    for (std::size_t i = 0; i < width_; ++i) {
      const std::string_view trimmed = TrimSpaces(r.row[i]);
      double x = 0;
      if (!reader_.Quoted(i) && trimmed.size() != r.row[i].size() && (trimmed.empty() || NumberOfCell(trimmed, comma_, x)))
        r.cells[i].assign(trimmed);
      else
        r.cells[i].assign(r.row[i]);
    }
  }
  void WriteBlank(std::size_t count) {
    out_.Delimiters(count > 0 ? count - 1 : 0);
    out_.EndLine();
  }

  // The row as read, and its added columns.
  void WriteRow(Record& r) {
    out_.Fields(r.row, width_);
    r.faulty.clear();
    for (std::size_t i = 0; i < formulas_.size(); ++i) {
      r.added[i] = evaluator_.Evaluate(formulas_[i].expr, &r.Cells(), formulas_[i].dialect, i > 0);
      if (r.added[i].type == xl::kErr && r.faulty.empty())
        evaluator_.FaultyCells(formulas_[i].expr, r.Cells(), r.faulty);
      if (!job_.write) continue;  // nothing printed when nothing is written
      const std::string shown = Show(r.added[i], job_.decimals, comma_, language_);
      if (!out_.Added(shown)) {
        Say(name_ + ":" + std::to_string(r.line) + ": the result '" + shown + "' cannot be written in " +
            EncodingName(encoding_) + "; its cell is left empty");
        ++bad_;
      }
    }
    out_.EndLine();
  }

  std::FILE* in_;
  const std::string& name_;
  const CsvJob& job_;
  Evaluator& evaluator_;
  CsvJobReport& report_;
  CsvReader reader_;
  Encoding encoding_ = Encoding::kUtf8;
  char delimiter_ = ',';
  bool comma_ = false;
  Language language_ = Language::kEnglish;
  TableLayout layout_;
  std::string preamble_;  // the lines before the header, with their line ends
  std::vector<std::string> header_, names_;
  // The sheet around the row evaluated.
  Reach reach_;
  std::deque<Record> window_;
  long firstRow_ = 2;  // the sheet row of the window's first record
  std::map<long, Record> fixed_;
  std::vector<Record> spare_;
  std::vector<Value> headerValues_;
  Sheet sheet_{*this};
  long rows_ = 0;
  std::size_t width_ = 0;
  std::vector<Formula> formulas_, reported_;
  CsvOutput out_;
  long bad_ = 0, processed_ = 0;
  int dateColumn_ = -1;
  RowReport rowReport_{report_, name_};
  // The checks of plausibility on what reaches the FAO 56 functions, in the
  // findings' language: the row's doubts, how many rows had some, whether
  // the medians were judged and the job refused.
  ReadingChecks checks_{evaluator_};
  Language findings_ = job_.findings == "es" || job_.language == "es" ? Language::kSpanish : Language::kEnglish;
  std::string doubtful_;
  // The days the rows cover, from where their dates are.
  RowDates rowDates_;
  DateCoverage coverage_;
  std::optional<SeasonDays> season_;  // the season whose rows must be its days, when the job names one
  bool judged_ = false, refused_ = false;
};

}  // namespace

int RunCsvJob(std::FILE* in, const std::string& name, const CsvJob& job, Evaluator& evaluator,
              CsvJobReport& report) {
  // On the heap: the reader's buffer is larger than some stacks.
  const auto run = std::make_unique<Run>(in, name, job, evaluator, report);
  return run->Go();
}

}  // namespace torven
