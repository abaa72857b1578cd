#include "sheet/columns.h"

#include <algorithm>
#include <array>
#include <cstring>

namespace torven {
namespace {

using Words = std::vector<std::string_view>;

// Each role: its key, the whole names that are it (normal form), and the
// words a longer name carries (any one of `what`, and, when given, one of
// `which`; none of `not`).
struct RoleNames {
  Role role;
  const char* key;
  Words names;
  Words what;
  Words which;
  Words not_;
};

const Words kMax = {"max", "maxima", "maximo", "maximum", "mx", "maxi", "tmax"};
const Words kMin = {"min", "minima", "minimo", "minimum", "mn", "mini", "tmin"};
const Words kMean = {"med", "media", "medio", "mean", "avg", "average", "promedio", "prom"};
const Words kTemperature = {"t", "temp", "temperatura", "temperature", "tair", "t2m", "ta"};
const Words kHumidity = {"hr", "rh", "humedad", "humidity", "umidade", "rh2m", "relativa", "relative"};
const Words kDew = {"rocio", "dew", "orvalho", "tdew", "td", "t2mdew", "dewpoint"};
const Words kNone = {};

// In order: a name that two roles' words fit is the first's.
const RoleNames kRoles[] = {
    {Role::kDate, "fecha", {"fecha", "date", "time", "yyyymmdd", "year doy", "ano dia", "timestamp", "data",
                            "data medicao", "datetime", "fecha hora"},
     {"fecha", "date", "data"}, kNone, kNone},
    // The time of day of readings of the hour or finer, beside a date column.
    {Role::kHour, "horaDia", {"hora", "hour", "time", "hh:mm", "hhmm", "hora local", "hora utc", "hora oficial", "hour of day"},
     {"hora", "hour"}, kNone, kNone},
    {Role::kYear, "anio", {"ano", "anio", "year", "yr", "yyyy"}, kNone, kNone, kNone},
    {Role::kMonth, "mes", {"mes", "month", "mo", "mm"}, kNone, kNone, kNone},
    {Role::kDay, "dia", {"dia", "day", "dd", "dy"}, kNone, kNone, kNone},
    {Role::kDayOfYear, "diaAnio", {"doy", "dia juliano", "dia del ano", "jday", "julian day", "day of year"},
     {"doy", "juliano", "julian"}, kNone, kNone},
    {Role::kDewPoint, "troc", {"troc", "tdew", "td", "punto de rocio", "rocio", "dew point", "dewpoint", "dewp", "ym",
                               "t2mdew"},
     kDew, kNone, kNone},
    {Role::kRhMax, "hrmax", {"hrmax", "rhmax", "hr max", "rh max", "humedad max", "humedadmax", "humedad maxima",
                             "max rh", "rh2m max"},
     kHumidity, kMax, kNone},
    {Role::kRhMin, "hrmin", {"hrmin", "rhmin", "hr min", "rh min", "humedad min", "humedadmin", "humedad minima",
                             "min rh", "rh2m min"},
     kHumidity, kMin, kNone},
    {Role::kRhMean, "hrmed", {"hrmed", "hr", "rh", "rhmean", "hrmedia", "humedad", "humedad relativa", "humedadmed",
                              "humedad media", "rh2m", "umidade relativa do ar"},
     kHumidity, kNone, {"max", "maxima", "maximo", "maximum", "min", "minima", "minimo", "minimum"}},
    {Role::kTmax, "tmax", {"tmax", "t max", "tx", "temp max", "tempmax", "tmaxima", "max temp", "temperatura maxima",
                           "maxt", "tmx", "mx", "t2m max"},
     kTemperature, kMax, kNone},
    {Role::kTmin, "tmin", {"tmin", "t min", "tn", "temp min", "tempmin", "tminima", "min temp", "temperatura minima",
                           "mint", "tmn", "mn", "t2m min"},
     kTemperature, kMin, kNone},
    // The temperature of a reading of the hour or finer (not a day's extreme, nor a dew point or the soil's).
    {Role::kTmean, "tmed", {"tmed", "tmean", "tavg", "temp", "temperatura", "t", "tair", "t2m", "temperatura media",
                            "temperatura del aire", "air temperature", "temperature"},
     kTemperature, kNone, {"max", "maxima", "maximo", "maximum", "min", "minima", "minimo", "minimum", "rocio", "dew",
                           "suelo", "soil"}},
    {Role::kVapour, "pv", {"pv", "ea", "vp", "vapor pressure", "presion de vapor", "tension de vapor"},
     {"vapor", "vapour"}, kNone, {"deficit", "deficito", "saturacion", "saturation"}},
    {Role::kSunshine, "he", {"heliofania", "he", "n", "horas de sol", "insolacion", "sunshine", "insolacao"},
     {"heliofania", "insolacion", "insolacao", "sunshine", "brillo"}, kNone, kNone},
    {Role::kRadiation, "rs", {"rs", "rad", "radiacion", "rad global", "solar", "srad", "radiacion global", "rad solar",
                              "solar rad", "sr", "allsky sfc sw dwn"},
     {"rs", "rad", "radiacion", "radiation", "radiacao", "srad", "solar", "irradiance", "irradiancia", "allsky"},
     kNone, {"toa", "extraterrestre", "extraterrestrial", "neta", "net", "clr", "clear"}},
    {Role::kWind, "viento", {"viento", "u2", "wind", "u", "velocidad del viento", "ws", "velviento", "wndsp",
                             "wind speed", "vel viento", "velocidad viento", "ua", "ws2m", "ws10m", "vento"},
     {"viento", "vento", "wind", "ws", "u2", "ws2m", "ws10m", "velviento", "wndsp"}, kNone,
     {"dir", "direccion", "direction", "direcao", "rafaga", "rajada", "gust", "max", "maxima", "maximo", "maximum",
      "ws2m max", "ws10m max"}},
    {Role::kRain, "lluvia", {"lluvia", "precip", "prec", "pp", "rain", "p", "precipitacion", "precipitacao",
                             "prectotcorr", "chuva"},
     {"lluvia", "precip", "precipitacion", "precipitacao", "chuva", "rain", "prectotcorr", "precipitation"}, kNone,
     kNone},
};

// The ASCII letter of a Latin-1 accented one (à á â ã ä å ç è é ê ë ì í î ï ñ
// ò ó ô õ ö ù ú û ü, either case), or 0.
char Unaccented(unsigned char second) {
  static constexpr const char* kLetters = "aaaaaaaceeeeiiiidnooooo/ouuuuy";  // U+00E0 to U+00FD (lower)
  const unsigned char lower = second | 0x20;  // U+00C0..DF to U+00E0..FF
  if (lower < 0xA0 || lower > 0xBD) return 0;
  return kLetters[lower - 0xA0];
}

std::vector<std::string_view> TokensOf(std::string_view normal) {
  std::vector<std::string_view> tokens;
  std::size_t start = 0;
  for (std::size_t i = 0; i <= normal.size(); ++i)
    if (i == normal.size() || normal[i] == ' ') {
      if (i > start) tokens.push_back(normal.substr(start, i - start));
      start = i + 1;
    }
  return tokens;
}

bool AnyOf(const std::vector<std::string_view>& tokens, Words words) {
  for (const std::string_view t : tokens)
    for (const std::string_view w : words)
      if (t == w) return true;
  return false;
}

bool Fits(const RoleNames& r, const std::vector<std::string_view>& tokens, std::string_view normal) {
  for (const std::string_view n : r.not_)
    if (n == normal) return false;
  if (AnyOf(tokens, r.not_)) return false;
  if (r.what.size() == 0 || !AnyOf(tokens, r.what)) return false;
  return r.which.size() == 0 || AnyOf(tokens, r.which);
}

// A text in lower case (ASCII).
std::string Lower(std::string_view s) {
  std::string out(s);
  for (char& c : out) c = static_cast<char>(c >= 'A' && c <= 'Z' ? c - 'A' + 'a' : c);
  return out;
}

bool Has(std::string_view text, std::string_view part) { return text.find(part) != std::string_view::npos; }

// Whether `text` (lower case) holds `word` with no letter on either side.
bool HasWord(std::string_view text, std::string_view word) {
  for (std::size_t at = text.find(word); at != std::string_view::npos; at = text.find(word, at + 1)) {
    const auto letter = [](char c) { return (c >= 'a' && c <= 'z'); };
    const bool before = at > 0 && letter(text[at - 1]);
    const bool after = at + word.size() < text.size() && letter(text[at + word.size()]);
    if (!before && !after) return true;
  }
  return false;
}

// Which unit a text says (lower case: a header, a row of units, a preamble
// line), by the marks each unit is written with; nullptr when none.
const char* UnitSaid(Quantity quantity, std::string_view t) {
  switch (quantity) {
    case Quantity::kTemperature:
      if (Has(t, "0.1 c") || Has(t, "0,1 c") || Has(t, "0.1 \xC2\xB0") || Has(t, "0,1 \xC2\xB0") || Has(t, "0.1 deg") ||
          Has(t, "decimas") || Has(t, "d\xC3\xA9" "cimas") || Has(t, "tenths"))
        return "dC";
      if (Has(t, "\xC2\xB0" "f") || Has(t, "\xC2\xBA" "f") || Has(t, "(f)") || Has(t, "deg f") || Has(t, "degf") ||
          Has(t, "fahrenheit"))
        return "F";
      if (Has(t, "(k)") || Has(t, "[k]") || t == "k" || Has(t, "kelvin")) return "K";
      return nullptr;
    case Quantity::kWind:
      if (Has(t, "0.1 m/s") || Has(t, "0,1 m/s")) return "dm/s";
      if (Has(t, "km/h") || Has(t, "km h") || HasWord(t, "kmh") || HasWord(t, "kph")) return "km/h";
      if (HasWord(t, "mph") || Has(t, "mi/h") || HasWord(t, "miles")) return "mph";
      if (HasWord(t, "knots") || HasWord(t, "knot") || HasWord(t, "kn") || HasWord(t, "kt") || HasWord(t, "kts") ||
          HasWord(t, "nudos"))
        return "kn";
      if (Has(t, "km/d") || Has(t, "recorrido") || Has(t, "wind run") || HasWord(t, "run")) return "km/d";
      return nullptr;
    case Quantity::kRadiation:
      if (Has(t, "kwh") || Has(t, "kw-hr") || Has(t, "kw hr") || Has(t, "kw-h")) return "kWh";
      if (Has(t, "kj/m") || Has(t, "kj m")) return "kJ";
      if (Has(t, "j/cm")) return "J";
      if (Has(t, "cal/cm") || Has(t, "langley") || HasWord(t, "ly")) return "cal";
      for (std::size_t at = t.find('w'); at != std::string_view::npos; at = t.find('w', at + 1)) {
        const bool prefixed = at > 0 && (t[at - 1] == 'k' || t[at - 1] == 'm' || (t[at - 1] >= 'a' && t[at - 1] <= 'z'));
        std::string_view rest = t.substr(at + 1);
        while (!rest.empty() && (rest[0] == ' ' || rest[0] == '/' || rest[0] == '.')) rest.remove_prefix(1);
        if (!prefixed && !rest.empty() && rest[0] == 'm' && rest.substr(0, 2) != "mj") return "W";
      }
      return nullptr;
    case Quantity::kHumidity:
      if (Has(t, "fracci") || Has(t, "fraction") || Has(t, "(0-1)") || Has(t, "(0 - 1)")) return "frac";
      return nullptr;
    case Quantity::kPressure:
      if (Has(t, "hpa") || Has(t, "mbar") || HasWord(t, "mb")) return "hPa";
      return nullptr;
    case Quantity::kHourlyRadiation:  // as a day's, in the units of a rate
      if (const char* daily = UnitSaid(Quantity::kRadiation, t); daily != nullptr && (daily[0] == 'W' || daily[0] == 'k'))
        return daily[0] == 'W' ? "W/h" : Has(t, "kj") ? "kJ/h" : nullptr;
      return nullptr;
  }
  return nullptr;
}

// The line of `preamble` that names `name` as a word (lower case both), or "".
std::string_view LineNaming(std::string_view preamble, std::string_view name) {
  if (name.size() < 3) return {};
  std::size_t start = 0;
  while (start < preamble.size()) {
    std::size_t end = preamble.find('\n', start);
    if (end == std::string_view::npos) end = preamble.size();
    const std::string_view line = preamble.substr(start, end - start);
    for (std::size_t at = line.find(name); at != std::string_view::npos; at = line.find(name, at + 1)) {
      const auto part = [](char c) { return (c >= 'a' && c <= 'z') || (c >= '0' && c <= '9') || c == '_'; };
      if ((at == 0 || !part(line[at - 1])) && (at + name.size() == line.size() || !part(line[at + name.size()])))
        return line;
    }
    start = end + 1;
  }
  return {};
}

// The anemometer's height a wind column's name says (WS10M, viento_10m,
// u2, 200cm), m; 0 when it says none or one no anemometer stands at.
double HeightSaid(std::string_view name) {
  const std::string t = Lower(name);
  for (std::size_t i = 0; i < t.size(); ++i) {
    if (t[i] < '0' || t[i] > '9' || (i > 0 && t[i - 1] >= '0' && t[i - 1] <= '9')) continue;
    double value = 0;
    std::size_t j = i;
    while (j < t.size() && t[j] >= '0' && t[j] <= '9') value = value * 10 + (t[j++] - '0');
    if (j < t.size() && t[j] == ' ') ++j;
    double metres = 0;
    if (t.compare(j, 2, "cm") == 0 && (j + 2 == t.size() || !(t[j + 2] >= 'a' && t[j + 2] <= 'z'))) metres = value / 100;
    else if (j < t.size() && t[j] == 'm' && (j + 1 == t.size() || !((t[j + 1] >= 'a' && t[j + 1] <= 'z') || t[j + 1] == '/')))
      metres = value;
    else if (i == 1 && t[0] == 'u' && j == t.size()) metres = value;  // u2, u10
    if (metres >= 0.5 && metres <= 20) return metres;
  }
  return 0;
}

}  // namespace

const char* RoleKey(Role role) {
  for (const RoleNames& r : kRoles)
    if (r.role == role) return r.key;
  return "";
}

std::string NormalName(std::string_view name) {
  std::string out;
  int depth = 0;  // inside brackets
  for (std::size_t i = 0; i < name.size(); ++i) {
    const auto c = static_cast<unsigned char>(name[i]);
    if (c == '(' || c == '[') ++depth;
    else if ((c == ')' || c == ']') && depth > 0) --depth;
    if (depth > 0 || c == ')' || c == ']') continue;
    if (c == 0xC3 && i + 1 < name.size()) {  // an accented letter of Latin-1
      if (const char a = Unaccented(static_cast<unsigned char>(name[i + 1])); a != 0 && a != '/') out += a;
      ++i;
      continue;
    }
    if (c == 0xC2 && i + 1 < name.size()) {  // °, º and the like
      ++i;
      continue;
    }
    if (c >= 'A' && c <= 'Z') out += static_cast<char>(c - 'A' + 'a');
    else if ((c >= 'a' && c <= 'z') || (c >= '0' && c <= '9')) out += static_cast<char>(c);
    else if (c == '%') continue;
    else if (!out.empty() && out.back() != ' ') out += ' ';
  }
  while (!out.empty() && out.back() == ' ') out.pop_back();
  return out;
}

ColumnGuess GuessColumns(const std::vector<ColumnFacts>& columns) {
  ColumnGuess guess;
  guess.columns.assign(static_cast<std::size_t>(Role::kCount), -1);
  std::vector<std::string> normal;
  for (const ColumnFacts& c : columns) normal.push_back(NormalName(c.name));
  std::vector<bool> taken(columns.size(), false);
  const auto usable = [&](Role role, std::size_t i) {
    if (taken[i]) return false;
    if (role == Role::kDate || role == Role::kHour) return true;
    // A column with no number holds no reading; a humidity passes no 100.
    if (columns[i].numbers == 0) return false;
    const bool humidity = role == Role::kRhMax || role == Role::kRhMin || role == Role::kRhMean;
    return !(humidity && columns[i].high > 100);
  };
  // Whole names first, for every role; then the words of longer names.
  for (const bool whole : {true, false})
    for (const RoleNames& r : kRoles) {
      int& column = guess.columns[static_cast<std::size_t>(r.role)];
      for (std::size_t i = 0; i < columns.size() && column < 0; ++i) {
        if (!usable(r.role, i)) continue;
        const bool fits = whole ? std::find(r.names.begin(), r.names.end(), normal[i]) != r.names.end()
                                : Fits(r, TokensOf(normal[i]), normal[i]);
        if (fits) column = static_cast<int>(i), taken[i] = true;
      }
    }
  const auto at = [&](Role role) { return guess.columns[static_cast<std::size_t>(role)]; };
  // Monthly means: a month and no day, unless the month repeats row after row.
  if (at(Role::kMonth) >= 0 && at(Role::kDate) < 0 && at(Role::kDay) < 0 && at(Role::kDayOfYear) < 0) {
    const DateProfile& months = columns[static_cast<std::size_t>(at(Role::kMonth))].dates;
    guess.monthly = 2 * months.repeated <= months.cells;
  }
  if (at(Role::kWind) >= 0) guess.windHeight = HeightSaid(columns[static_cast<std::size_t>(at(Role::kWind))].name);
  return guess;
}

const char* GuessUnit(Quantity quantity, const ColumnFacts& column, std::string_view preamble) {
  const std::string preambleLower = Lower(preamble);
  const std::string nameLower = Lower(column.name);
  for (const std::string& text : {Lower(column.unit), nameLower, std::string(LineNaming(preambleLower, nameLower))})
    if (const char* id = UnitSaid(quantity, text)) return id;
  if (quantity == Quantity::kHumidity && column.numbers > 0 && column.high <= 1.5) return "frac";
  for (const Unit& u : Units())
    if (u.quantity == quantity) return u.id;
  return "";
}

}  // namespace torven
