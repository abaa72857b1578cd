// torven: runs the add-in without the spreadsheet.  Loads an add-in library
// as the host does, and evaluates worksheet calls given on the command line,
// read from a file or standard input, or over the rows of a CSV table.
#include <CLI/CLI.hpp>

#include <cstdio>
#include <limits>
#include <string>
#include <vector>

#include "platform/platform.h"
#include "sheet/csv_job.h"
#include "sheet/encoding.h"
#include "tools/hostsim/host.h"
#include "tools/torven/session.h"

namespace {

using namespace torven;

struct Options {
  std::string addIn;
  std::vector<std::string> calls;
  std::vector<std::string> files;
  std::string csv;
  std::vector<std::string> names;
  int decimals = -1;
  bool decimalComma = false, decimalPoint = false;
  std::string delimiter;
  long headerLine = 0;  // of the CSV file: 0 finds it past the lines before it
  std::string dates;    // how the CSV file's d/m/y or m/d/y dates read: "" (the dialect's), dmy or mdy
  std::string season;   // a season whose rows must be its days: "2020-04-15/2020-08-17", or ""
  std::string encoding;  // of the CSV file: "" (detected, UTF-16 too), utf-8 or windows-1252
  std::string language;  // of errors and truth values: "" (the formula's), es or en
  std::vector<std::string> missing;  // gap codes of the CSV file
  bool acceptImplausible = false;
  bool showCalls = false;
  bool list = false, info = false, alerts = false;
};

void Print(const std::string& text) { std::fwrite(text.data(), 1, text.size(), stdout); }

DecimalMark Mark(const Options& options) {
  return options.decimalComma ? DecimalMark::kComma
         : options.decimalPoint ? DecimalMark::kPoint
                                : DecimalMark::kAuto;
}

// The language of results: forced, or the dialect of how they were written.
Language ResultLanguage(const Options& options, Language dialect) {
  if (options.language == "es") return Language::kSpanish;
  if (options.language == "en") return Language::kEnglish;
  return dialect;
}

int ListFunctions(const Session& session) {
  for (const Function& f : session.Functions()) {
    std::string signature = f.name + "(";
    for (std::size_t i = 0; i < f.argumentNames.size(); ++i)
      signature += (i > 0 ? "; " : "") + f.argumentNames[i];
    Print(signature + ")    [" + f.category + ", " + f.helpTopic + "]\n  " + f.help + "\n");
    for (std::size_t i = 0; i < f.argumentNames.size() && i < f.argumentHelp.size(); ++i)
      Print("    " + f.argumentNames[i] + ": " + f.argumentHelp[i] + "\n");
    Print("\n");
  }
  return 0;
}

int ShowInfo(Session& session) {
  XLOPER12 action{};
  action.val.num = 1;
  action.xltype = xl::kNum;
  XLOPER12* args[] = {&action};
  const XLOPER12* display = session.AddIn().CallProcedure("xlAddInManagerInfo12", 1, args);
  XLOPER12 missing{};
  missing.xltype = xl::kMissing;
  args[0] = &missing;
  const XLOPER12* version = session.AddIn().CallProcedure("VENTISOLA_XLL", 1, args);
  auto text = [](const XLOPER12* r) {
    return r != nullptr && xl::AnswerType(r->xltype) == xl::kStr ? ToUtf8(hostsim::CountedText(r->val.str)) : "(none)";
  };
  Print("Add-in manager: " + text(display) + "\nVersion:        " + text(version) + "\n");
  return 0;
}

int ShowAlerts(Session& session) {
  hostsim::State().alerts.clear();
  session.AddIn().CallVoid("xlAutoAdd");
  session.AddIn().CallVoid("xlAutoRemove");
  for (const auto& alert : hostsim::State().alerts)
    Print("--- alert (type " + std::to_string(alert.type) + ")\n" + ToUtf8(alert.text) + "\n");
  return 0;
}

// Where a trailing comment begins: a '#' outside quotes with blank space on
// both sides (an error literal such as #N/A never has a space after '#').
std::size_t CommentStart(const std::string& line) {
  bool quoted = false;
  for (std::size_t i = 0; i < line.size(); ++i) {
    if (line[i] == '"') quoted = !quoted;
    const bool blankBefore = i == 0 || line[i - 1] == ' ' || line[i - 1] == '\t';
    const bool blankAfter = i + 1 == line.size() || line[i + 1] == ' ' || line[i + 1] == '\t';
    if (!quoted && line[i] == '#' && blankBefore && blankAfter) return i;
  }
  return std::string::npos;
}

// Evaluates one formula; false (with a message) when it cannot.  A line of
// a file may be blank or a comment ('#' first, or '#' between blanks after
// the formula); a formula on the command line is all formula.
bool EvaluateLine(Session& session, const std::string& line, const std::string& where,
                  const Options& options, bool fromFile) {
  std::size_t start = line.find_first_not_of(" \t\r");
  if (fromFile && (start == std::string::npos || line[start] == '#')) return true;
  if (start == std::string::npos) start = line.size();
  const std::size_t commentAt = fromFile ? CommentStart(line) : std::string::npos;
  const std::string comment = commentAt == std::string::npos ? "" : line.substr(commentAt);
  const std::string body = line.substr(0, commentAt);
  const std::size_t last = body.find_last_not_of(" \t\r");
  const std::string text = last == std::string::npos || last < start ? "" : body.substr(start, last + 1 - start);
  Expr call;
  ParseError parseError;
  std::string error;
  Writing writing;
  if (!ParseCall(text, call, parseError, Mark(options), &writing)) {
    std::fprintf(stderr, "%s, column %d: %s\n", where.c_str(),
                 parseError.column + static_cast<int>(start), parseError.message.c_str());
    return false;
  }
  if (!session.Bind(call, nullptr, error)) {
    std::fprintf(stderr, "%s, %s\n", where.c_str(), error.c_str());
    return false;
  }
  const Language dialect = DialectOf(call, writing);
  const std::string result = Show(session.Evaluate(call, nullptr, dialect), options.decimals,
                                  writing.decimalComma, ResultLanguage(options, dialect));
  if (!options.showCalls) Print(result + "\n");
  else if (comment.empty()) Print(text + " = " + result + "\n");
  else Print(text + " = " + result + "\n    " + comment + "\n");
  return true;
}

bool EvaluateStream(Session& session, std::FILE* in, const std::string& name, const Options& options) {
  bool ok = true;
  std::string line;
  long number = 0;
  for (int c = 0; c != EOF;) {
    line.clear();
    while ((c = std::fgetc(in)) != EOF && c != '\n') line += static_cast<char>(c);
    if (c == EOF && line.empty()) break;
    // A UTF-8 byte-order mark before the first line is not part of it.
    if (++number == 1 && line.rfind("\xEF\xBB\xBF", 0) == 0) line.erase(0, 3);
    ok = EvaluateLine(session, line, name + ":" + std::to_string(number), options, true) && ok;
  }
  return ok;
}

// The job's output on standard output, its messages on standard error, and
// a count of rows there while a long file is read at a terminal.
class StandardStreams : public CsvJobReport {
 public:
  explicit StandardStreams(const std::string& name) : name_(name) {}
  // How the file was read, each decision with the flag that overrides it.
  void Header(const std::vector<std::string>&, const CsvDialect& d) override {
    const std::string delimiter = d.delimiter == '\t' ? "tab" : d.delimiter == ' ' ? "spaces" : std::string(1, d.delimiter);
    const std::string units = d.unitsLine > 0 ? ", units on line " + std::to_string(d.unitsLine) : "";
    std::fprintf(stderr, "%s: read as %s%s (--encoding), '%s' between fields (--delimiter), decimal %s "
                 "(--decimal-comma, --decimal-point), header on line %ld (--header-line)%s\n",
                 name_.c_str(), EncodingName(d.encoding), d.byteOrderMark ? " with its byte-order mark" : "",
                 delimiter.c_str(), d.decimalComma ? "comma" : "point", d.headerLine, units.c_str());
  }
  void Write(std::string_view bytes) override { std::fwrite(bytes.data(), 1, bytes.size(), stdout); }
  void Message(const std::string& line) override { std::fprintf(stderr, "%s\n", line.c_str()); }
  void Finding(const std::string& text) override { std::fprintf(stderr, "%s: %s\n", name_.c_str(), text.c_str()); }
  void Progress(long rows) override {
    if (progress_) std::fprintf(stderr, "\r%ld rows", rows), counted_ = rows;
  }
  ~StandardStreams() override {
    if (counted_ > 0) std::fprintf(stderr, "\n");
  }

 private:
  std::string name_;
  bool progress_ = platform::IsTerminal(stderr);
  long counted_ = 0;
};

int EvaluateCsv(Session& session, const Options& options) {
  const bool standardInput = options.csv == "-";
  std::FILE* in = standardInput ? stdin : std::fopen(options.csv.c_str(), "rb");
  if (in == nullptr) {
    std::fprintf(stderr, "cannot read CSV file '%s'\n", options.csv.c_str());
    return 2;
  }
  CsvJob job;
  job.formulas = options.calls;
  job.names = options.names;
  job.decimals = options.decimals;
  job.mark = Mark(options);
  job.delimiter = options.delimiter;
  job.headerLine = options.headerLine;
  job.dates = options.dates;
  job.encoding = options.encoding;
  job.language = options.language;
  job.missing = options.missing;
  job.season = options.season;
  job.acceptImplausible = options.acceptImplausible;
  int status = 0;
  {
    StandardStreams streams(options.csv);
    status = RunCsvJob(in, options.csv, job, session, streams);
  }
  if (!standardInput) std::fclose(in);
  return status;
}

// Sorts the command line into options (with their values, joined to them
// as --name=value or -xvalue) and formulas.  An option is a word that
// begins with "--", or a short option's two characters alone (-d 3); any
// other word is a formula, even one that begins with '-' (-SQRT(4),
// -sqrt(4)), and so is every word after "--".
void SplitArguments(const CLI::App& app, int argc, char** argv, std::vector<std::string>& optionArguments,
                    std::vector<std::string>& formulas) {
  bool optionsEnded = false;
  for (int i = 1; i < argc; ++i) {
    const std::string word = argv[i];
    if (!optionsEnded && word == "--") {
      optionsEnded = true;
      continue;
    }
    const bool isLong = word.rfind("--", 0) == 0;
    const CLI::Option* option = nullptr;
    if (!optionsEnded && isLong) option = app.get_option_no_throw(word.substr(0, word.find('=')));
    else if (!optionsEnded && word.size() == 2 && word[0] == '-') option = app.get_option_no_throw(word);
    if (optionsEnded || (!isLong && option == nullptr)) {
      formulas.push_back(word);
      continue;
    }
    // An unknown long option is passed on for the parser to name.
    const bool takesValue = option != nullptr && option->get_items_expected_min() > 0;
    const bool valueAttached = isLong && word.find('=') != std::string::npos;
    if (takesValue && !valueAttached && i + 1 < argc)
      optionArguments.push_back(word + (isLong ? "=" : "") + argv[++i]);
    else
      optionArguments.push_back(word);
  }
}

}  // namespace

int main(int argc, char** argv) {
  Options options;
  CLI::App app{"torven: evaluates the TORVEN add-in's worksheet functions without the spreadsheet"};
  app.footer(
      "FORMULA...: worksheet formulas, e.g. 'PVSF56(20)' or '=PVSF56(20)*2'; with --csv, one formula per added\n"
      "column.  Any argument that is not an option is a formula, also one that begins with '-' ('-SQRT(4)');\n"
      "after '--' every argument is a formula ('--' '-s').  A short option is its two characters alone ('-d 3').\n");
  app.add_option("-a,--addin", options.addIn, "add-in library to load (default: the one built next to this program)");
  app.add_option("-f,--file", options.files, "file of calls, one per line ('#' starts a comment; '-' reads standard input); repeatable")
      ->allow_extra_args(false);
  app.add_option("--csv", options.csv, "evaluate the calls over every row of this CSV file (names in calls are its columns)");
  app.add_option("--as", options.names, "name of the column added by a call (with --csv); once per call, in order")
      ->allow_extra_args(false);
  app.add_option("--delimiter", options.delimiter,
                 "the CSV file's field delimiter: ',', ';', tab or space (runs of spaces) (default: the one that "
                 "splits most lines into the same number of fields)")
      ->check(CLI::IsMember({",", ";", "tab", "space"}));
  app.add_option("--header-line", options.headerLine,
                 "the line of the CSV file's header (default: the first line whose number of fields the rows "
                 "keep; the lines before it are written back as they are)")
      ->check(CLI::Range(1L, std::numeric_limits<long>::max()));
  app.add_option("--encoding", options.encoding,
                 "the CSV file's encoding: utf-8 or windows-1252 (default: UTF-16 by its byte-order mark, else "
                 "UTF-8 when the file is valid UTF-8, else Windows-1252); the output keeps it")
      ->check(CLI::IsMember({"utf-8", "windows-1252"}));
  app.add_option("--dates", options.dates,
                 "how the CSV file's dates written with '/' read: dmy (31/01/2020) or mdy (01/31/2020) (default: "
                 "dmy in Spanish formulas and ';' files, mdy in English)")
      ->check(CLI::IsMember({"dmy", "mdy"}));
  app.add_option("--missing", options.missing,
                 "a code the CSV file writes for a missing reading (NaN, -9999, s/d ...): a cell that holds it, "
                 "spaces aside and in any case, is an empty cell; repeatable")
      ->allow_extra_args(false);
  app.add_option("--season", options.season,
                 "with --csv, a season whose rows must be its days, one a row, in order, as a water balance that "
                 "reads the row above as the day before needs: its first and last days, 2020-04-15/2020-08-17; "
                 "what breaks it is said, and the exit status is 1");
  app.add_flag("--accept-implausible", options.acceptImplausible,
               "with --csv, compute although a quantity that reaches ETPF56 has a median that cannot be right "
               "(Rs not 20 % to 85 % of Ra, a wind in m/s above 8, a Tmax above 50 ...); the finding is still said");
  app.add_option("--language", options.language,
                 "print errors and truth values in Spanish (es: #¡VALOR!, VERDADERO) or English (en: #VALUE!, "
                 "TRUE); default: Spanish for formulas with ';' or Spanish names and for ';' CSV files")
      ->check(CLI::IsMember({"es", "en"}));
  app.add_option("-d,--decimals", options.decimals, "print numbers with this many decimals")->check(CLI::Range(0, 17));
  auto* commaFlag = app.add_flag("--decimal-comma", options.decimalComma,
                                 "read and print numbers with a decimal comma, ';' between arguments (21,5)");
  app.add_flag("--decimal-point", options.decimalPoint,
               "read and print numbers with a decimal point, ',' or ';' between arguments (21.5)")
      ->excludes(commaFlag);
  app.add_flag("-s,--show-calls", options.showCalls, "print each call before its result");
  app.add_flag("--list", options.list, "list the registered functions with their help texts");
  app.add_flag("--info", options.info, "show the add-in manager's name and the version text");
  app.add_flag("--alerts", options.alerts, "run the add-in manager's add and remove, and print their alerts");
  std::vector<std::string> optionArguments;
  SplitArguments(app, argc, argv, optionArguments, options.calls);
  std::vector<const char*> optionArgv = {argv[0]};
  for (const std::string& a : optionArguments) optionArgv.push_back(a.c_str());
  try {
    app.parse(static_cast<int>(optionArgv.size()), optionArgv.data());
  } catch (const CLI::ParseError& e) {
    return app.exit(e);
  }

  Session session;
  std::string error;
  const std::string path = options.addIn.empty() ? DefaultAddInPath() : options.addIn;
  if (!session.Load(path, error)) {
    std::fprintf(stderr, "torven: %s\n", error.c_str());
    return 2;
  }
  if (options.list) return ListFunctions(session);
  if (options.info) return ShowInfo(session);
  if (options.alerts) return ShowAlerts(session);
  if (!options.csv.empty()) {
    if (options.calls.empty()) {
      const std::string help = app.help();
      const std::size_t usage = help.find("Usage:");
      std::fprintf(stderr, "torven: --csv needs at least one call, e.g. 'PVSF56(tmean)'\n%s\n",
                   usage == std::string::npos ? "" : help.substr(usage, help.find('\n', usage) - usage).c_str());
      return 2;
    }
    return EvaluateCsv(session, options);
  }
  bool ok = true;
  for (std::size_t i = 0; i < options.calls.size(); ++i)
    ok = EvaluateLine(session, options.calls[i], "argument " + std::to_string(i + 1), options, false) && ok;
  if (options.calls.empty() && options.files.empty()) options.files.push_back("-");
  for (const std::string& file : options.files) {
    std::FILE* in = file == "-" ? stdin : std::fopen(file.c_str(), "rb");
    if (in == nullptr) {
      std::fprintf(stderr, "torven: cannot read '%s'\n", file.c_str());
      ok = false;
      continue;
    }
    ok = EvaluateStream(session, in, file == "-" ? "stdin" : file, options) && ok;
    if (in != stdin) std::fclose(in);
  }
  return ok ? 0 : 1;
}
