// What a station's readings can be, checked on what reaches the add-in's
// FAO 56 functions, whatever formula brought it there (the web
// calculator's, or one a user writes for torven), after FAO 56 (chapter 3
// and Annex 5) and the ASCE-EWRI standardized equation's quality checks.
//
// Notation: the arguments of ETPF56(J; Rs; Tmax; Tmin; DTP; ea; u; z;
// altitude; latitude), of RADF56A(J; n; as; bs; latitude) and RADF56P
// (n in % of N); Ra = RADAF56(J; latitude), N = DDIAF56(J; latitude),
// e° = PVSF56, es = (e°(Tmax) + e°(Tmin))/2 (eq. 12).
//
// A day is doubtful, and said so, when a reading is outside what any
// climate gives, Tmin is above Tmax, ea above es (a relative humidity above
// 100 %: ETPF56 takes the deficit as 0), n above N, or ET0 above 15 mm/d;
// Rs above Ra, or below 0, is impossible.  A column whose middle value
// cannot be right in the add-in's unit (a median Rs that is not 20 % to
// 85 % of the days' Ra; Tmax, Tmin, ea or a wind in m/s beyond what a
// climate gives) is implausible: the units in which it would fit are named.
// Runs of a wind of exactly 0 (an anemometer stalled) are counted.
#pragma once

#include <cstddef>
#include <memory>
#include <string>
#include <vector>

#include "sheet/evaluator.h"
#include "sheet/names.h"

namespace torven {

class ReadingChecks : public CallWatcher {
 public:
  // The rows whose middle values are judged: the first ones, up to this many.
  static constexpr long kJudgedRows = 2000;
  // The shortest run of days of exactly calm wind that is said.
  static constexpr long kCalmRun = 3;

  // `evaluator` computes Ra, N and e° through the add-in's own entries.
  explicit ReadingChecks(const Evaluator& evaluator)
      : evaluator_(evaluator),
        etpf56_(evaluator.FunctionNamed("ETPF56")),
        radf56a_(evaluator.FunctionNamed("RADF56A")),
        radf56p_(evaluator.FunctionNamed("RADF56P")),
        radaf56_(evaluator.FunctionNamed("RADAF56")),
        pvsf56_(evaluator.FunctionNamed("PVSF56")),
        ddiaf56_(evaluator.FunctionNamed("DDIAF56")) {}

  void Called(const AddInFunction& function, const XLOPER12* const* args, int count,
              const XLOPER12& result) override;

  // Ends a row: why its readings are doubtful or impossible ("" when they
  // are not), in `language`, causes separated by "; ".
  std::string EndRow(Language language);

  // The quantities whose median, over the rows judged so far, cannot be
  // right: one message each, naming the units that would fit.
  std::vector<std::string> Implausible(Language language) const;

  // What the rows together show: runs of exactly calm wind.  One message
  // each ("" when none).
  std::string CalmWind(Language language) const;

 private:
  struct Day {
    bool et0 = false, sunshine = false, percent = false;
    double j = 0, rs = 0, tmax = 0, tmin = 0, ea = 0, u = 0, altitude = 0, latitude = 0, result = 0;
    double sunshineHours = 0, sunshineJ = 0, sunshineLatitude = 0;
  };
  bool Call(const AddInFunction* function, std::initializer_list<double> args, double& result) const;
  // A one-argument function of the add-in (PVSF56), or one of a day and a
  // latitude (RADAF56, DDIAF56), remembered by its arguments: a station's
  // days and temperatures repeat, and the entries' answers do not change.
  struct Memo {
    static constexpr std::size_t kSlots = std::size_t{1} << 12;
    double a[kSlots], b[kSlots], value[kSlots];
    bool known[kSlots] = {};
  };
  bool Remembered(Memo& memo, const AddInFunction* function, double a, double b, bool twoArguments, double& result);

  const Evaluator& evaluator_;
  // The add-in's functions watched and called (nullptr when it has none).
  const AddInFunction *etpf56_, *radf56a_, *radf56p_, *radaf56_, *pvsf56_, *ddiaf56_;
  std::unique_ptr<Memo> ra_ = std::make_unique<Memo>(), daylight_ = std::make_unique<Memo>(),
                        saturation_ = std::make_unique<Memo>();
  Day day_;
  long rows_ = 0;
  // The middle values' samples (NaN-free), from the first kJudgedRows rows.
  std::vector<double> ratio_, tmax_, tmin_, ea_, wind_;
  // Calm wind: the run going on, and the runs of at least kCalmRun days.
  long calm_ = 0, calmRuns_ = 0, calmDays_ = 0;
};

}  // namespace torven
