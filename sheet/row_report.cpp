#include "sheet/row_report.h"

#include "sheet/spaces.h"

namespace torven {
namespace {

std::string Rows(long n) { return std::to_string(n) + (n == 1 ? " row" : " rows"); }

}  // namespace

std::string RowReport::ColumnName(int column) const {
  const auto c = static_cast<std::size_t>(column);
  return c < names_.size() ? names_[c] : "?";
}

std::string RowReport::RowName(long line, const std::string& date) const {
  return file_ + ":" + std::to_string(line) + (date.empty() ? "" : " (" + date + ")");
}

void RowReport::Failed(long line, const std::string& date, int column, const Value& value,
                       const std::vector<FaultyCell>& faulty, Language language) {
  if (++failed_ > kSaid) return;
  std::string text = RowName(line, date) + ": " + ColumnName(column) + " is " + Show(value, -1, false, language);
  std::string causes;
  for (const FaultyCell& cell : faulty) {
    causes += causes.empty() ? "" : ", ";
    std::string name(1, '\'');  // (not "'" + ...: GCC 12 warns wrongly of an overlapping copy)
    name += ColumnName(cell.column);
    name += '\'';
    switch (cell.kind) {
      case FaultyCell::Kind::kEmpty:
        causes += TrimSpaces(cell.text).empty() ? name + " empty" : name + " a gap ('" + cell.text + "')";
        break;
      case FaultyCell::Kind::kError: causes += name + " " + cell.text; break;
      case FaultyCell::Kind::kText: causes += name + " '" + cell.text + "', not a number nor a date"; break;
      case FaultyCell::Kind::kNumberText: causes += name + " '" + cell.text + "', a text"; break;
    }
  }
  if (!causes.empty()) text += ": cells that are not numbers: " + causes;
  else if (value.type == xl::kErr && value.code == xl::kErrNum)
    text += ": a value outside what the functions accept (Tmin above Tmax, say)";
  out_.Message(text);
}

void RowReport::Doubtful(long line, const std::string& date, const std::string& causes, Language language) {
  if (++doubtful_ <= kSaid)
    out_.Message(RowName(line, date) + ": " + (language == Language::kSpanish ? "dudosa: " : "doubtful: ") + causes);
}

void RowReport::Totals() {
  const auto more = [&](long n, const char* what) {
    if (n > kSaid)
      out_.Message(file_ + ": " + Rows(n - kSaid) + " more " + what + " (the first " + std::to_string(kSaid) +
                   " are above)");
  };
  more(failed_, "failed");
  more(doubtful_, "doubtful");
  out_.Message(file_ + ": " + Rows(computed_) + " computed, " + std::to_string(failed_) + " failed, " +
               std::to_string(doubtful_) + " doubtful" +
               (skipped_ > 0 ? ", " + std::to_string(skipped_) + " left out" : ""));
}

}  // namespace torven
