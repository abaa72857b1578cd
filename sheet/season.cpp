#include "sheet/season.h"

#include <cmath>

#include "sheet/coverage.h"

namespace torven {

void SeasonDays::Row(double serial, long line) {
  if (!(serial >= 1 && serial < 2958466)) {  // a row without a date
    if (previous_.line > 0) undated_.push_back(line);
    return;
  }
  const long day = static_cast<long>(std::floor(serial));
  if (day < first_ || day > last_) return;
  if (previous_.line == 0) {
    if (day != first_) Add({Kind::kFirstDayAbsent, day, 0, line, 0, {}});
  } else if (!undated_.empty()) {
    Add({Kind::kUndated, 0, 0, previous_.line, line, undated_});
  } else if (day == previous_.day) {
    Add({Kind::kRepeated, day, 0, previous_.line, line, {}});
  } else if (day < previous_.day) {
    Add({Kind::kBackwards, day, 0, line, 0, {}});
  } else if (day > previous_.day + 1) {
    Add({Kind::kMissing, previous_.day + 1, day - 1, previous_.line, line, {}});
  } else if (noData_) {
    Add({Kind::kNoData, 0, 0, previous_.line, line, {}});
  }
  previous_ = {day, line};
  undated_.clear();
  noData_ = false;
}

void SeasonDays::Add(Problem p) {
  if (named_.size() < kNamed) named_.push_back(std::move(p));
  ++count_;
}

std::string SeasonDays::Text(const Problem& p, Language language) const {
  const bool es = language == Language::kSpanish;
  const auto day = [&](long d) { return DayText(d, language); };
  const std::string between = (es ? "entre las líneas " : "between lines ") + std::to_string(p.line) +
                              (es ? " y " : " and ") + std::to_string(p.line2);
  switch (p.kind) {
    case Kind::kFirstDayAbsent:
      return es ? "la temporada empieza el " + day(first_) + " y el archivo no tiene ese día (su primer día de la " +
                      "temporada es el " + day(p.day) + ", línea " + std::to_string(p.line) + ")"
                : "the season begins on " + day(first_) + " and the file does not have that day (its first day " +
                      "of the season is " + day(p.day) + ", line " + std::to_string(p.line) + ")";
    case Kind::kUndated: {
      std::string lines;
      for (std::size_t i = 0; i < p.lines.size(); ++i) lines += (i > 0 ? ", " : "") + std::to_string(p.lines[i]);
      const bool one = p.lines.size() == 1;
      return es ? (one ? "la línea " : "las líneas ") + lines + (one ? " no tiene" : " no tienen") + " fecha (" +
                      between + ")"
                : (one ? "line " : "lines ") + lines + (one ? " has" : " have") + " no date (" + between + ")";
    }
    case Kind::kRepeated:
      return es ? "el " + day(p.day) + " se repite (líneas " + std::to_string(p.line) + " y " +
                      std::to_string(p.line2) + ")"
                : day(p.day) + " is repeated (lines " + std::to_string(p.line) + " and " + std::to_string(p.line2) + ")";
    case Kind::kBackwards:
      return es ? "las fechas retroceden en la línea " + std::to_string(p.line) + " (" + day(p.day) + ")"
                : "the dates go back on line " + std::to_string(p.line) + " (" + day(p.day) + ")";
    case Kind::kMissing: {
      const long n = p.day2 - p.day + 1;
      if (n == 1) return es ? "falta el " + day(p.day) + " (" + between + ")" : day(p.day) + " is missing (" + between + ")";
      return es ? "faltan " + std::to_string(n) + " días, del " + day(p.day) + " al " + day(p.day2) + " (" + between + ")"
                : std::to_string(n) + " days are missing, " + day(p.day) + " to " + day(p.day2) + " (" + between + ")";
    }
    case Kind::kNoData:
      return es ? "hay líneas sin datos " + between : "there are lines without data " + between;
  }
  return "";
}

std::string SeasonDays::Problems(Language language) const {
  if (!Broken()) return "";
  const bool es = language == Language::kSpanish;
  std::string out = es ? "el balance lee la fila de arriba como el día anterior, y en la temporada "
                       : "the balance reads the row above as the day before, and in the season ";
  if (previous_.line == 0) {
    out += es ? "del " + DayText(first_, language) + " al " + DayText(last_, language) + " ningún día está en el archivo"
              : "from " + DayText(first_, language) + " to " + DayText(last_, language) + " no day is in the file";
  } else {
    for (std::size_t i = 0; i < named_.size(); ++i) out += (i > 0 ? "; " : "") + Text(named_[i], language);
    if (count_ > static_cast<long>(named_.size()))
      out += (es ? "; y " : "; and ") + std::to_string(count_ - static_cast<long>(named_.size())) + (es ? " más" : " more");
  }
  return out + (es ? ". Corrija el archivo o elija otra temporada." : ". Correct the file or choose another season.");
}

std::string SeasonDays::EndNote(Language language) const {
  if (previous_.line == 0 || previous_.day >= last_) return "";
  return language == Language::kSpanish
             ? "El archivo termina el " + DayText(previous_.day, language) + ", antes del fin de la temporada."
             : "The file ends on " + DayText(previous_.day, language) + ", before the season's end.";
}

}  // namespace torven
