// The whole --csv job over bytes in and bytes out, as torven and the web
// calculator run it: the station file read (its encoding, delimiter and
// dialect, the lines before its header and a row of units below it), the
// formulas read and bound to its columns, each row evaluated,
// and the file written back with one added column per formula, in the
// input's encoding, byte-order mark, delimiter, decimal mark and line ends.
// Besides the output, the job reports each row: the value of each added
// column and of the formulas asked for the report alone (a date, say), and
// for a row whose value is an error, the cells that its formula refused.
#pragma once

#include <cstdio>
#include <string>
#include <string_view>
#include <vector>

#include "sheet/date_profile.h"
#include "sheet/evaluator.h"
#include "sheet/formula.h"
#include "sheet/text_scan.h"
#include "sheet/value.h"

namespace torven {

struct CsvJob {
  std::vector<std::string> formulas;  // one added column each
  std::vector<std::string> names;     // the added columns' names (else the formula's text)
  std::vector<std::string> reported;  // evaluated for the report only, not written
  int decimals = -1;                  // fixed decimals of the numbers written, or shortest
  DecimalMark mark = DecimalMark::kAuto;
  std::string delimiter;  // "", ",", ";", "tab" or "space" (runs of spaces): "" finds it (sheet/layout.h)
  long headerLine = 0;    // the header's line (1-based), or 0 to find it past a preamble
  std::string encoding;   // "" (detected, UTF-16 too), "utf-8" or "windows-1252"
  std::string language;   // of errors and truth values: "" (the file's), "es" or "en"
  std::string dates;      // how d/m/y or m/d/y date texts read: "" (the dialect's), "dmy" or "mdy"
  std::vector<std::string> missing;  // gap codes: cells that hold one read as empty (sheet/gaps.h)
  // A season whose rows must be its days, one a row, in order (a formula
  // reads the row above as the day before): "2020-04-15/2020-08-17", its
  // first and last days; "" for none (sheet/season.h).
  std::string season;
  // What the whole file is, when the caller has scanned it already (the
  // page's module scans its bytes once for every job): used unless the
  // encoding is forced.
  const TextVerdict* scanned = nullptr;
  bool write = true;      // whether the output file is written (not to read a file's table, nor for a report alone)
  bool acceptImplausible = false;  // compute although a quantity's median cannot be right (sheet/plausibility.h)
  std::string findings;   // the language of the checks' findings: "es", or "" (as `language`: English but for "es")
};

// One row, as the report gives it.
struct CsvRow {
  long line = 0;                      // where its record begins in the file (1-based)
  const std::vector<Value>* added = nullptr;
  const std::vector<Value>* reported = nullptr;
  const std::vector<FaultyCell>* faulty = nullptr;  // in the order the first failing formula reads them
  const std::vector<std::string>* fields = nullptr;  // as read, in the file's encoding
  const std::string* doubtful = nullptr;  // why its readings are doubtful ("" when they are not)
};

// How the file is written, as read from it.
struct CsvDialect {
  Encoding encoding = Encoding::kUtf8;
  bool byteOrderMark = false;
  char delimiter = ',';
  bool decimalComma = false;
  std::string_view lineEnd = "\n";
  long headerLine = 1;
  long unitsLine = 0;               // a row of units below the header (0: none)
  std::vector<std::string> units;   // its fields (UTF-8)
  int dateColumn = -1;              // the first column of mostly dates (-1: none)
  std::vector<DateProfile> dates;   // how each column writes its dates, over the first rows (as the job judges them)
  std::string preamble;             // the lines before the header (UTF-8)
};

// Where the job's output, messages and report go.
class CsvJobReport {
 public:
  virtual ~CsvJobReport() = default;
  virtual void Write(std::string_view bytes) = 0;          // the output file's bytes, in order
  virtual void Message(const std::string& line) = 0;       // a problem, as one line
  virtual void NotText(const TextVerdict& verdict) { (void)verdict; }
  // The header's names (UTF-8) and the file's dialect, before any row.
  virtual void Header(const std::vector<std::string>& names, const CsvDialect& dialect) {
    (void)names, (void)dialect;
  }
  virtual void Row(const CsvRow& row) { (void)row; }
  // A record left out (also said in a message): ragged, or a quote left open.
  virtual void Skipped(long line, bool openQuote) { (void)line, (void)openQuote; }
  virtual void Progress(long rows) { (void)rows; }          // every 100,000 rows
  // What the checks of plausibility found over the rows (a quantity whose
  // median cannot be right, runs of calm wind), one line each.
  virtual void Finding(const std::string& text) { Message(text); }
  // After the rows, with a season: why its rows are not its days ("" when
  // they are), and the day the file ends on when before the season's end ("").
  virtual void Season(const std::string& problems, const std::string& endNote) {
    if (!problems.empty()) Finding(problems);
    if (!endNote.empty()) Finding(endNote);
  }
  // After the rows, with readings of the hour or finer: the days with hours
  // missing (serials; also named in the date summary).
  virtual void PartialDays(const std::vector<long>& serials) { (void)serials; }
};

// Runs the job over `in` (called `name` in messages).  Returns 0; 1 when a
// row was left out, a formula's value was an error, a result could not be
// written or the season's rows are not its days (each said in a message:
// the first 20 failed rows with their line, date, column, error and the
// cells that caused it, then how many more; the first 20 doubtful rows
// alike; and a last line that counts the rows computed, failed, doubtful
// and left out); 2 when nothing could be done (the file is not text, has no
// header, a formula is malformed or names no column of it, the season is
// not two dates, the order of its d/m/y dates is not known, or, unless
// accepted, a quantity that reaches the FAO 56 functions has a median that
// cannot be right over the first rows): nothing is then written.
//
// Dates written d/m/y or m/d/y ('/', '-' or '.' between) read in the order
// `job.dates` gives, else in the one the file's first rows decide (a part
// above 12) for every such column the formulas read.
int RunCsvJob(std::FILE* in, const std::string& name, const CsvJob& job, Evaluator& evaluator,
              CsvJobReport& report);

}  // namespace torven
