#include "sheet/plausibility.h"

#include <algorithm>
#include <cmath>
#include <cstdint>
#include <cstring>
#include <limits>

#include "sheet/units.h"
#include "sheet/value.h"

namespace torven {
namespace {

constexpr double kNaN = std::numeric_limits<double>::quiet_NaN();
constexpr int kMemoBits = 12;  // log2 of a memo's slots

// A day's reading that no climate gives, in the add-in's units.
constexpr double kTmax[2] = {-60, 60}, kTmin[2] = {-70, 45};  // °C
constexpr double kEa[2] = {0, 8};                              // kPa
constexpr double kWind[2] = {0, 30};                           // m/s at the anemometer
constexpr double kEt0Limit = 15;                               // mm/d
constexpr double kRsoBase = 0.75, kRsoPerMetre = 2e-5;        // eq. 37: Rso = (0.75 + 2e-5 z) Ra, z in m
// Rs over Ra of a day: from an overcast day's to a clear one's at altitude.
constexpr double kRatio[2] = {0.2, 0.85};
// A column's median that no climate gives.
constexpr double kMedianTmax[2] = {-30, 50}, kMedianTmin[2] = {-45, 35};
constexpr double kMedianEa[2] = {0.05, 6}, kMedianWind[2] = {0, 8};
// The median wind of a unit that would fit: a station's, not a calm one's.
constexpr double kFittingWind[2] = {0.5, 8};

double NumberOf(const XLOPER12* v) {
  return v != nullptr && xl::AnswerType(v->xltype) == xl::kNum ? v->val.num : kNaN;
}

bool Inside(const double range[2], double x) { return x >= range[0] && x <= range[1]; }

// A number as the message shows it: to the hundredth, with the language's mark.
std::string Shown(double x, Language language) {
  Value v;
  v.type = xl::kNum;
  v.number = std::round(x * 100) / 100;
  return Show(v, -1, language == Language::kSpanish);
}

double Median(std::vector<double> values) {
  if (values.empty()) return kNaN;
  const std::size_t n = values.size();
  std::nth_element(values.begin(), values.begin() + static_cast<long>(n / 2), values.end());
  const double upper = values[n / 2];
  if (n % 2 == 1) return upper;
  return (*std::max_element(values.begin(), values.begin() + static_cast<long>(n / 2)) + upper) / 2;
}

// The units of `quantity` (not the add-in's own) in which `median` would
// be inside `range`: "¿décimas de °C? ¿°F?", or "" when none.
std::string Fitting(Quantity quantity, double median, const double range[2], Language language) {
  const bool spanish = language == Language::kSpanish;
  std::string out;
  for (const Unit& u : Units())
    if (u.quantity == quantity && !u.steps.empty() && Inside(range, ToAddInUnit(u, median)))
      out += spanish ? std::string(" ¿") + u.spanish + "?" : std::string(" In ") + u.english + "?";
  return out;
}

}  // namespace

bool ReadingChecks::Call(const AddInFunction* function, std::initializer_list<double> args, double& result) const {
  return function != nullptr && evaluator_.CallWithNumbers(*function, args, result);
}

bool ReadingChecks::Remembered(Memo& memo, const AddInFunction* function, double a, double b, bool twoArguments,
                               double& result) {
  if (std::isnan(a) || std::isnan(b)) return false;
  std::uint64_t bits[2];
  std::memcpy(&bits[0], &a, sizeof a);
  std::memcpy(&bits[1], &b, sizeof b);
  // Fibonacci hashing: the product's high bits depend on every bit of the arguments.
  const std::uint64_t mixed = (bits[0] ^ (bits[1] * 0xC2B2AE3D27D4EB4Full)) * 0x9E3779B97F4A7C15ull;
  const auto i = static_cast<std::size_t>(mixed >> (64 - kMemoBits));
  if (memo.known[i] && memo.a[i] == a && memo.b[i] == b) {
    result = memo.value[i];
    return true;
  }
  if (!(twoArguments ? Call(function, {a, b}, result) : Call(function, {a}, result))) return false;
  memo.known[i] = true, memo.a[i] = a, memo.b[i] = b, memo.value[i] = result;
  return true;
}

void ReadingChecks::Called(const AddInFunction& function, const XLOPER12* const* args, int count,
                           const XLOPER12& result) {
  // The first call of each function in a row is the row's day.
  if (&function == etpf56_ && count >= 10 && !day_.et0) {
    day_.et0 = true;
    day_.j = NumberOf(args[0]), day_.rs = NumberOf(args[1]), day_.tmax = NumberOf(args[2]);
    day_.tmin = NumberOf(args[3]), day_.ea = NumberOf(args[5]), day_.u = NumberOf(args[6]);
    day_.altitude = NumberOf(args[8]), day_.latitude = NumberOf(args[9]), day_.result = NumberOf(&result);
  } else if ((&function == radf56a_ || &function == radf56p_) && count >= 5 && !day_.sunshine) {
    day_.sunshine = true;
    day_.percent = &function == radf56p_;
    day_.sunshineJ = NumberOf(args[0]), day_.sunshineHours = NumberOf(args[1]);
    day_.sunshineLatitude = NumberOf(args[4]);
  }
}

std::string ReadingChecks::EndRow(Language language) {
  const bool es = language == Language::kSpanish;
  const auto n = [&](double x) { return Shown(x, language); };
  std::vector<std::string> causes;
  const auto outside = [&](const char* spanish, const char* english, double x, const double range[2], const char* unit) {
    if (!std::isnan(x) && !Inside(range, x))
      causes.push_back(std::string(es ? spanish : english) + " " + n(x) + (es ? " fuera de " : " outside ") +
                       n(range[0]) + (es ? " a " : " to ") + n(range[1]) + " " + unit);
  };
  const Day& d = day_;
  const bool judged = rows_ < kJudgedRows;
  if (d.et0) {
    if (d.tmin > d.tmax) causes.push_back((es ? "Tmín " : "Tmin ") + n(d.tmin) + (es ? " > Tmáx " : " above Tmax ") + n(d.tmax));
    outside("Tmáx", "Tmax", d.tmax, kTmax, "°C");
    outside("Tmín", "Tmin", d.tmin, kTmin, "°C");
    if (judged && !std::isnan(d.tmax)) tmax_.push_back(d.tmax);
    if (judged && !std::isnan(d.tmin)) tmin_.push_back(d.tmin);
    // Rs against the day's Ra (eq. 21): above it impossible; above the
    // clear-sky Rso = (0.75 + 2e-5 z) Ra (eq. 37), doubtful.
    double ra = 0;
    if (d.rs < 0) {
      causes.push_back("Rs " + n(d.rs) + (es ? " negativa: imposible" : " negative: impossible"));
    } else if (!std::isnan(d.rs) && Remembered(*ra_, radaf56_, d.j, d.latitude, true, ra)) {
      const double rso = (kRsoBase + kRsoPerMetre * d.altitude) * ra;
      if (d.rs > ra)
        causes.push_back("Rs " + n(d.rs) + (es ? " > Ra " : " above Ra ") + n(ra) + (es ? " MJ/m²/d: imposible" : " MJ/m²/d: impossible"));
      else if (d.rs > rso)
        causes.push_back("Rs " + n(d.rs) + (es ? " > Rso " : " above Rso ") + n(rso) + (es ? " MJ/m²/d (ec. 37)" : " MJ/m²/d (eq. 37)"));
      if (judged && ra > 1) ratio_.push_back(d.rs / ra);
    }
    // ea against es (eq. 12): a deficit below 0 is taken as 0.
    double high = 0, low = 0;
    outside("ea", "ea", d.ea, kEa, "kPa");
    // es >= e°(Tmin) when Tmax >= Tmin: below it, ea passes without computing es.
    if (Inside(kEa, d.ea) && Remembered(*saturation_, pvsf56_, d.tmin, 0, false, low) && d.ea > low &&
        Remembered(*saturation_, pvsf56_, d.tmax, 0, false, high) && d.ea > (high + low) / 2) {
      const double es12 = (high + low) / 2;
      causes.push_back("ea " + n(d.ea) + (es ? " kPa > es " : " kPa above es ") + n(es12) + " kPa (" + (es ? "HR " : "RH ") +
                       n(100 * d.ea / es12) + (es ? " %; el déficit se toma como 0)" : " %; the deficit is taken as 0)"));
    }
    if (judged && !std::isnan(d.ea)) ea_.push_back(d.ea);
    outside(es ? "viento" : "wind", "wind", d.u, kWind, "m/s");
    if (judged && !std::isnan(d.u)) wind_.push_back(d.u);
    if (d.result > kEt0Limit)
      causes.push_back("ET0 " + n(d.result) + (es ? " mm/d, por encima de " : " mm/d, above ") + n(kEt0Limit) + " mm/d");
  }
  // Calm wind: a run of days of exactly 0 m/s; any other day ends it.
  if (d.et0 && d.u == 0) {
    ++calm_;
  } else {
    if (calm_ >= kCalmRun) ++calmRuns_, calmDays_ += calm_;
    calm_ = 0;
  }
  // Sunshine hours against the day length N (eq. 34), or 100 %.
  double daylight = 0;
  if (d.sunshine && d.percent && d.sunshineHours > 100)
    causes.push_back("n " + n(d.sunshineHours) + " % > 100 %");
  else if (d.sunshine && !d.percent && Remembered(*daylight_, ddiaf56_, d.sunshineJ, d.sunshineLatitude, true, daylight) &&
           d.sunshineHours > daylight)
    causes.push_back("n " + n(d.sunshineHours) + " h > N " + n(daylight) + " h");
  ++rows_;
  day_ = Day{};
  std::string out;
  for (const std::string& c : causes) out += (out.empty() ? "" : "; ") + c;
  return out;
}

std::vector<std::string> ReadingChecks::Implausible(Language language) const {
  const bool es = language == Language::kSpanish;
  std::vector<std::string> found;
  const double ratio = Median(ratio_);
  if (!std::isnan(ratio) && !Inside(kRatio, ratio))
    found.push_back(std::string(es ? "La radiación que recibe ETPF56 es, en su mediana, el " : "The radiation ETPF56 receives is, "
                                     "in its median, ") +
                    Shown(100 * ratio, language) +
                    (es ? " % de la radiación extraterrestre Ra; la de un día es del 20 % al 85 %: no puede estar en MJ/m²/d."
                        : " % of the extraterrestrial radiation Ra; a day's is 20 % to 85 %: it cannot be in MJ/m²/d.") +
                    Fitting(Quantity::kRadiation, ratio, kRatio, language));
  struct Middle {
    const char* spanish;
    const char* english;
    const std::vector<double>& sample;
    const double* range;
    Quantity quantity;
    const char* unit;
  };
  const Middle middles[] = {{"Tmáx", "Tmax", tmax_, kMedianTmax, Quantity::kTemperature, "°C"},
                            {"Tmín", "Tmin", tmin_, kMedianTmin, Quantity::kTemperature, "°C"},
                            {"ea", "ea", ea_, kMedianEa, Quantity::kPressure, "kPa"},
                            {"El viento", "The wind", wind_, kMedianWind, Quantity::kWind, "m/s"}};
  for (const Middle& m : middles) {
    const double median = Median(m.sample);
    if (std::isnan(median) || Inside(m.range, median)) continue;
    found.push_back(std::string(es ? m.spanish : m.english) + (es ? " que recibe ETPF56 tiene una mediana de " :
                                                                     " that ETPF56 receives has a median of ") +
                    Shown(median, language) + " " + m.unit + (es ? ", que no puede ser." : ", which cannot be.") +
                    Fitting(m.quantity, median, m.quantity == Quantity::kWind ? kFittingWind : m.range, language));
  }
  return found;
}

std::string ReadingChecks::CalmWind(Language language) const {
  const long runs = calmRuns_ + (calm_ >= kCalmRun ? 1 : 0);
  const long days = calmDays_ + (calm_ >= kCalmRun ? calm_ : 0);
  if (runs == 0) return "";
  const bool es = language == Language::kSpanish;
  return es ? "Viento de exactamente 0 m/s en " + std::to_string(days) + " días seguidos en " + std::to_string(runs) +
                  " tramo" + (runs == 1 ? "" : "s") + " de " + std::to_string(kCalmRun) +
                  " días o más: ¿un anemómetro detenido?"
            : "A wind of exactly 0 m/s on " + std::to_string(days) + " days in " + std::to_string(runs) + " run" +
                  (runs == 1 ? "" : "s") + " of " + std::to_string(kCalmRun) + " days or more: an anemometer stalled?";
}

}  // namespace torven
