#include "sheet/layout.h"

#include <algorithm>
#include <array>

#include "sheet/dates.h"
#include "sheet/gaps.h"
#include "sheet/number_text.h"
#include "sheet/spaces.h"

namespace torven {
namespace {

constexpr std::array<char, 4> kDelimiters = {',', ';', '\t', ' '};
// Lines after a header candidate that must keep its number of fields.
constexpr std::size_t kKeptBy = 3;

struct Line {
  long number;            // 1-based, as the reader counts lines
  std::string_view text;  // without its line end
};

// A line that is not blank, split at the delimiter once.
struct Row {
  long number;
  std::vector<std::string_view> fields;
};

// The sample's lines (a line cut at the end of an incomplete sample left out).
std::vector<Line> LinesOf(std::string_view sample, bool whole) {
  std::vector<Line> lines;
  long number = 1;
  std::size_t start = 0;
  for (std::size_t i = 0; i < sample.size(); ++i) {
    if (sample[i] != '\n' && sample[i] != '\r') continue;
    lines.push_back({number++, sample.substr(start, i - start)});
    if (sample[i] == '\r' && i + 1 < sample.size() && sample[i + 1] == '\n') ++i;
    start = i + 1;
  }
  if (start < sample.size() && whole) lines.push_back({number, sample.substr(start)});
  return lines;
}

bool IsBlank(std::string_view line, char delimiter) {
  for (const char c : line)
    if (c != ' ' && c != '\t' && c != '\r' && c != delimiter) return false;
  return true;
}

// A number with either mark, or a date (either order, a time after it or not).
bool IsNumberOrDate(std::string_view field) {
  double x = 0;
  return NumberOfCell(field, false, x) || NumberOfCell(field, true, x) || SerialOfDateText(field, true, x) ||
         SerialOfDateText(field, false, x);
}

// A row of data: at least half of its fields numbers, dates or gap codes,
// one of them a number or a date.
bool LooksLikeData(const std::vector<std::string_view>& fields) {
  std::size_t filled = 0, data = 0, numbers = 0;
  for (const std::string_view f : fields) {
    if (f.empty()) continue;
    ++filled;
    if (IsNumberOrDate(f)) ++data, ++numbers;
    else if (CommonGaps().Index(f) >= 0) ++data;
  }
  return numbers > 0 && 2 * data >= filled;
}

bool LooksLikeUnits(const std::vector<std::string_view>& fields) {
  std::size_t filled = 0, units = 0;
  for (const std::string_view f : fields) {
    if (f.empty()) continue;
    ++filled;
    if (IsNumberOrDate(f)) return false;
    units += LooksLikeUnit(f);
  }
  return units > 0 && 2 * units >= filled;
}

// The number of fields most lines have under `delimiter` (two or more), and
// how many lines have it.
std::pair<std::size_t, std::size_t> CommonWidth(const std::vector<Line>& lines, char delimiter) {
  std::vector<std::size_t> widths;
  for (const Line& l : lines)
    if (!IsBlank(l.text, delimiter))
      if (const std::size_t n = SplitLine(l.text, delimiter).size(); n >= 2) widths.push_back(n);
  std::sort(widths.begin(), widths.end());
  std::pair<std::size_t, std::size_t> best{0, 0};
  for (std::size_t i = 0; i < widths.size();) {
    std::size_t j = i;
    while (j < widths.size() && widths[j] == widths[i]) ++j;
    if (j - i > best.second) best = {widths[i], j - i};
    i = j;
  }
  return best;
}

// Whether the rows' numbers have a decimal comma (12,5) more often than a
// point (12.5).
bool CommasOutnumberPoints(const std::vector<Row>& rows, std::size_t from) {
  long commas = 0, points = 0;
  for (std::size_t i = from; i < rows.size(); ++i)
    for (const std::string_view f : rows[i].fields) {
      double x = 0;
      if (f.find(',') != std::string_view::npos) commas += NumberOfCell(f, true, x);
      else if (f.find('.') != std::string_view::npos) points += NumberOfCell(f, false, x);
    }
  return commas > points;
}

// Whether the rows after the header are columns of fixed width: most of
// them irregular as fields split at runs of spaces, and nine in ten of
// every line of one length (its trailing spaces aside), which is `length`.
bool IsFixedWidth(const std::vector<Line>& lines, const std::vector<Row>& rows, std::size_t header, std::size_t width,
                  std::size_t& length) {
  std::size_t irregular = 0, n = 0;
  for (std::size_t i = header + 1; i < rows.size(); ++i, ++n) irregular += rows[i].fields.size() != width;
  if (n < 5 || 5 * irregular <= n) return false;
  // The lines' lengths as written, and without their trailing spaces (a
  // missing last value may be blanks, or nothing).
  std::vector<std::size_t> written, trimmed;
  for (const Line& l : lines)
    if (l.number > rows[header].number && !IsBlank(l.text, ' ')) {
      written.push_back(l.text.size());
      std::string_view t = l.text;
      while (!t.empty() && t.back() == ' ') t.remove_suffix(1);
      trimmed.push_back(t.size());
    }
  for (std::vector<std::size_t>* lengths : {&written, &trimmed}) {
    std::sort(lengths->begin(), lengths->end());
    std::size_t best = 0, mode = 0;
    for (std::size_t i = 0; i < lengths->size();) {
      std::size_t j = i;
      while (j < lengths->size() && (*lengths)[j] == (*lengths)[i]) ++j;
      if (j - i > best) best = j - i, mode = (*lengths)[i];
      i = j;
    }
    if (10 * best >= 9 * lengths->size()) {
      length = mode;
      return true;
    }
  }
  return false;
}

char FindDelimiter(const std::vector<Line>& lines) {
  char best = ',';
  std::size_t support = 0;
  for (const char d : kDelimiters) {
    const std::size_t s = CommonWidth(lines, d).second;
    if (s > support) best = d, support = s;
  }
  return best;
}

}  // namespace

std::vector<std::string_view> SplitLine(std::string_view line, char delimiter) {
  std::size_t at = 0;
  while (at < line.size() && line[at] == ' ') ++at;
  if (at < line.size() && line[at] == '#') ++at;  // a header written as a comment
  std::vector<std::string_view> fields;
  std::size_t start = at;
  bool quoted = false;
  for (; at <= line.size(); ++at) {
    const bool end = at == line.size();
    if (!end && line[at] == '"') quoted = !quoted;
    if (!end && (quoted || line[at] != delimiter)) continue;
    fields.push_back(TrimSpaces(line.substr(start, at - start)));
    if (delimiter == ' ')
      while (at + 1 < line.size() && line[at + 1] == ' ') ++at;
    start = at + 1;
  }
  if (delimiter == ' ' && !fields.empty() && fields.back().empty()) fields.pop_back();
  return fields;
}

bool LooksLikeUnit(std::string_view field) {
  field = TrimSpaces(field);
  if (field.empty() || field.size() > 20) return false;
  // A unit in brackets, or one written with its marks.
  if (field.front() == '(' || field.front() == '[') return true;
  for (const std::string_view mark : {"°", "º", "%", "/", "^", "²"})
    if (field.find(mark) != std::string_view::npos) return true;
  static constexpr std::string_view kWords[] = {"c", "f", "k", "mm", "cm", "in", "m", "s", "h", "hr", "hrs", "mph",
                                                "kph", "kmh", "kn", "knots", "kt", "hpa", "kpa", "mb", "mbar", "ly",
                                                "w", "mj", "kj", "j", "kwh", "degc", "degf", "deg", "frac", "-", "--", "---"};
  std::string lower(field);
  for (char& c : lower) c = static_cast<char>(c >= 'A' && c <= 'Z' ? c - 'A' + 'a' : c);
  return std::find(std::begin(kWords), std::end(kWords), lower) != std::end(kWords);
}

TableLayout DetectLayout(std::string_view sample, bool whole, char delimiter, long headerLine) {
  const std::vector<Line> lines = LinesOf(sample, whole);
  TableLayout layout;
  layout.delimiter = delimiter != 0 ? delimiter : FindDelimiter(lines);
  const char d = layout.delimiter;
  const std::size_t width = CommonWidth(lines, d).first;
  std::vector<Row> rows;
  for (const Line& l : lines)
    if (!IsBlank(l.text, d)) rows.push_back({l.number, SplitLine(l.text, d)});
  if (rows.empty()) return layout;
  auto widthOf = [&](std::size_t i) { return rows[i].fields.size(); };
  // The fields a line fills: a preamble line padded with empty fields fills one.
  auto named = [&](std::size_t i) {
    return static_cast<std::size_t>(std::count_if(rows[i].fields.begin(), rows[i].fields.end(),
                                                  [](std::string_view f) { return !f.empty(); }));
  };
  // Given, or the first line (no preamble) when it has the table's width.
  std::size_t header = rows.size();
  if (headerLine > 0) {
    layout.headerLine = headerLine;
    for (std::size_t i = 0; i < rows.size(); ++i)
      if (rows[i].number == headerLine) header = i;
  } else if (width == 0 || (widthOf(0) == width && named(0) >= 2)) {
    header = 0;
  } else {
    // The first line whose width most of the lines after it keep.
    auto kept = [&](std::size_t i) {
      std::size_t same = 0, after = 0;
      for (std::size_t j = i + 1; j < rows.size() && after < kKeptBy; ++j, ++after) same += widthOf(j) == width;
      return 2 * same > after || after == 0;
    };
    for (std::size_t i = 0; i < rows.size() && header == rows.size(); ++i)
      if (widthOf(i) == width && named(i) >= 2 && kept(i)) header = i;
    if (header == rows.size()) header = 0;
    // The first row of data, and the line right above it (or above its row
    // of units): the header, when it has no more fields than the data (a
    // program's report may leave its last column unnamed).
    std::size_t data = header;
    while (data < rows.size() &&
           !(widthOf(data) == width && 2 * named(data) >= width && kept(data) && LooksLikeData(rows[data].fields)))
      ++data;
    std::size_t above = data;
    if (above >= 1 && above < rows.size()) {
      above -= LooksLikeUnits(rows[above - 1].fields) && above >= 2 ? 2 : 1;
      const std::size_t names = widthOf(above);
      if (names >= 2 && names <= width && !LooksLikeData(rows[above].fields)) header = above;
    }
  }
  if (header == rows.size()) return layout;
  layout.headerLine = rows[header].number;
  layout.width = std::max(width, widthOf(header));
  // A row of units right below it.
  if (header + 1 < rows.size() && LooksLikeUnits(rows[header + 1].fields)) {
    layout.unitsLine = rows[header + 1].number;
    for (const std::string_view unit : rows[header + 1].fields) layout.units.emplace_back(unit);
  }
  layout.decimalComma = d == ';' || (d != ',' && CommasOutnumberPoints(rows, header + 1));
  layout.fixedWidth = d == ' ' && IsFixedWidth(lines, rows, header, width, layout.lineLength);
  layout.dates.resize(layout.width);
  for (std::size_t i = header + 1 + (layout.unitsLine > 0 ? 1 : 0); i < rows.size(); ++i)
    for (std::size_t c = 0; c < rows[i].fields.size() && c < layout.width; ++c) layout.dates[c].Add(rows[i].fields[c]);
  return layout;
}

}  // namespace torven
