// Speed of the add-in: every numeric function and worksheet entry on
// realistic inputs next to its floor (the mathematics-library calls it cannot
// avoid), xlAutoOpen against the substitute host, the scratch pools, the
// bridge and the conversions.  Figures are reported, never asserted.
#include <benchmark/benchmark.h>

#include <array>
#include <cmath>
#include <vector>

#include "bench/floors.h"
#include "core/torven_core.h"
#include "host/bridge.h"
#include "host/convert.h"
#include "host/scratch.h"
#include "sheet/formula.h"
#include "tools/hostsim/host.h"
#include "tools/torven/session.h"
#include "worksheet/entries.h"
#include "worksheet/lifecycle.h"

namespace {

// A year of realistic days at a few latitudes and elevations.
struct Day {
  double j, lat, tMax, tMin, rhMax, rhMin, rad, pva, wind, height, elevation, sunshine;
};

const std::vector<Day>& Days() {
  static const std::vector<Day> days = [] {
    std::vector<Day> d;
    const double lats[] = {-37.75, -22.9, 0.5, 13.73, 40.49, 50.8};
    for (int i = 0; i < 366 * 2; ++i) {
      const double j = 1 + (i * 7) % 366 + 0.5;
      const double season = std::cos((j - 200) / 58.0);
      const double tMax = 18 + 12 * season + (i % 5);
      const double tMin = tMax - 8 - (i % 7);
      d.push_back({j, lats[i % 6], tMax, tMin, 80.0 + (i % 20), 30.0 + (i % 25), 8 + 15 * (0.5 + 0.5 * season),
                   0.6 + 0.02 * (i % 60), 0.5 + 0.1 * (i % 40), i % 3 == 0 ? 2.0 : 10.0, 2 + 37.0 * (i % 30),
                   4.0 + (i % 9)});
    }
    return d;
  }();
  return days;
}

template <typename F>
void Run(benchmark::State& state, F f) {
  const auto& days = Days();
  std::size_t i = 0;
  for (auto _ : state) {
    benchmark::DoNotOptimize(f(days[i]));
    if (++i == days.size()) i = 0;
  }
}

template <typename Make>
void RunFloor(benchmark::State& state, Make make) {
  std::vector<floors::Calls> calls;
  for (const Day& d : Days()) calls.push_back(make(d));
  std::size_t i = 0;
  for (auto _ : state) {
    benchmark::DoNotOptimize(floors::Make(calls[i]));
    if (++i == calls.size()) i = 0;
  }
}

// --- Numeric functions and their floors ---------------------------------------------

#define CORE_BENCH(name, expr, floorExpr)                                           \
  void BM_##name(benchmark::State& s) { Run(s, [](const Day& d) { return expr; }); } \
  BENCHMARK(BM_##name);                                                             \
  void BM_##name##_floor(benchmark::State& s) {                                     \
    RunFloor(s, [](const Day& d) { (void)d; return floorExpr; });                   \
  }                                                                                 \
  BENCHMARK(BM_##name##_floor);

CORE_BENCH(JDIA, JDIA(2020, 1 + static_cast<int>(d.j) % 12, 1 + static_cast<int>(d.j) % 28),
           floors::Calls{})
CORE_BENCH(DDIAF56, DDIAF56(d.j, d.lat), floors::DayLength(d.j, d.lat))
CORE_BENCH(RADAF56, RADAF56(d.j, d.lat), floors::Radiation(d.j, d.lat))
CORE_BENCH(RADF56A, RADF56A(d.j, d.sunshine, 0.25, 0.5, d.lat), floors::GlobalRadiation(d.j, d.lat))
CORE_BENCH(RADF56P, RADF56P(d.j, d.sunshine * 8, 0.25, 0.5, d.lat), floors::Radiation(d.j, d.lat))
CORE_BENCH(PVSF56, PVSF56(d.tMax), floors::Saturation(d.tMax))
CORE_BENCH(PVTRF56, PVTRF56(d.tMin), floors::Saturation(d.tMin))
CORE_BENCH(PVHRF56, PVHRF56(d.tMax, d.tMin, d.rhMax, d.rhMin), floors::Saturation2(d.tMax, d.tMin))
CORE_BENCH(PVHM, PVHM(d.tMax, d.tMin, 60), floors::Saturation2(d.tMax, d.tMin))
CORE_BENCH(UUF56, UUF56(d.wind, d.height), floors::Wind(d.height))
CORE_BENCH(ETPF56,
           ETPF56(d.j, d.rad, d.tMax, d.tMin, 0, d.pva, d.wind, d.height, d.elevation, d.lat),
           floors::Evapotranspiration(d.j, d.tMax, d.tMin, d.pva, d.height, d.elevation, d.lat))

// --- Worksheet entries -------------------------------------------------------------------

XLOPER12 Num(double x) {
  XLOPER12 r{};
  r.val.num = x;
  r.xltype = xl::kNum;
  return r;
}

// Each day's arguments as the host passes them, built before timing.
template <std::size_t N>
using Records = std::array<XLOPER12, N>;

template <std::size_t N, typename Build, typename Call>
void RunEntry(benchmark::State& state, Build build, Call call) {
  std::vector<Records<N>> records;
  for (const Day& d : Days()) records.push_back(build(d));
  std::size_t i = 0;
  for (auto _ : state) {
    benchmark::DoNotOptimize(call(records[i].data())->val.num);
    if (++i == records.size()) i = 0;
  }
}

void BM_ETPF56_XLL(benchmark::State& state) {
  RunEntry<10>(state, [](const Day& d) {
    return Records<10>{Num(d.j), Num(d.rad), Num(d.tMax), Num(d.tMin), Num(0), Num(d.pva),
                       Num(d.wind), Num(d.height), Num(d.elevation), Num(d.lat)};
  }, [](XLOPER12* a) { return ETPF56_XLL(&a[0], &a[1], &a[2], &a[3], &a[4], &a[5], &a[6], &a[7], &a[8], &a[9]); });
}
BENCHMARK(BM_ETPF56_XLL);

void BM_RADF56A_XLL(benchmark::State& state) {
  RunEntry<5>(state, [](const Day& d) {
    return Records<5>{Num(d.j), Num(d.sunshine), Num(0.25), Num(0.5), Num(d.lat)};
  }, [](XLOPER12* a) { return RADF56A_XLL(&a[0], &a[1], &a[2], &a[3], &a[4]); });
}
BENCHMARK(BM_RADF56A_XLL);

void BM_RADF56P_XLL(benchmark::State& state) {
  RunEntry<5>(state, [](const Day& d) {
    return Records<5>{Num(d.j), Num(d.sunshine * 8), Num(0.25), Num(0.5), Num(d.lat)};
  }, [](XLOPER12* a) { return RADF56P_XLL(&a[0], &a[1], &a[2], &a[3], &a[4]); });
}
BENCHMARK(BM_RADF56P_XLL);

void BM_DDIAF56_XLL(benchmark::State& state) {
  RunEntry<2>(state, [](const Day& d) { return Records<2>{Num(d.j), Num(d.lat)}; },
              [](XLOPER12* a) { return DDIAF56_XLL(&a[0], &a[1]); });
}
BENCHMARK(BM_DDIAF56_XLL);

void BM_RADAF56_XLL(benchmark::State& state) {
  RunEntry<2>(state, [](const Day& d) { return Records<2>{Num(d.j), Num(d.lat)}; },
              [](XLOPER12* a) { return RADAF56_XLL(&a[0], &a[1]); });
}
BENCHMARK(BM_RADAF56_XLL);

void BM_PVSF56_XLL(benchmark::State& state) {
  RunEntry<1>(state, [](const Day& d) { return Records<1>{Num(d.tMax)}; },
              [](XLOPER12* a) { return PVSF56_XLL(&a[0]); });
}
BENCHMARK(BM_PVSF56_XLL);

void BM_PVTRF56_XLL(benchmark::State& state) {
  RunEntry<1>(state, [](const Day& d) { return Records<1>{Num(d.tMin)}; },
              [](XLOPER12* a) { return PVTRF56_XLL(&a[0]); });
}
BENCHMARK(BM_PVTRF56_XLL);

void BM_PVHRF56_XLL(benchmark::State& state) {
  RunEntry<4>(state, [](const Day& d) { return Records<4>{Num(d.tMax), Num(d.tMin), Num(d.rhMax), Num(d.rhMin)}; },
              [](XLOPER12* a) { return PVHRF56_XLL(&a[0], &a[1], &a[2], &a[3]); });
}
BENCHMARK(BM_PVHRF56_XLL);

void BM_PVHM_XLL(benchmark::State& state) {
  RunEntry<3>(state, [](const Day& d) { return Records<3>{Num(d.tMax), Num(d.tMin), Num(60)}; },
              [](XLOPER12* a) { return PVHM_XLL(&a[0], &a[1], &a[2]); });
}
BENCHMARK(BM_PVHM_XLL);

void BM_JDIA_XLL(benchmark::State& state) {
  RunEntry<3>(state, [](const Day& d) {
    return Records<3>{Num(2020), Num(1 + static_cast<int>(d.j) % 12), Num(1 + static_cast<int>(d.j) % 28)};
  }, [](XLOPER12* a) { return JDIA_XLL(&a[0], &a[1], &a[2]); });
}
BENCHMARK(BM_JDIA_XLL);

// --- Lifecycle, pools, bridge, conversions ---------------------------------------------

void BM_xlAutoOpen(benchmark::State& state) {
  for (auto _ : state) {
    state.PauseTiming();
    hostsim::Reset();
    state.ResumeTiming();
    benchmark::DoNotOptimize(xlAutoOpen());
  }
  state.SetLabel("against the substitute host");
}
BENCHMARK(BM_xlAutoOpen)->Unit(benchmark::kMicrosecond);

void BM_ScratchAllocRelease(benchmark::State& state) {
  host::ScratchRelease();
  for (auto _ : state) {
    benchmark::DoNotOptimize(host::ScratchAlloc(32));
    host::ScratchRelease();
  }
}
BENCHMARK(BM_ScratchAllocRelease);

void BM_HostCallAndRelease(benchmark::State& state) {
  hostsim::State().answerCode = 0;
  hostsim::State().record = false;
  XLOPER12 x = Num(1);
  for (auto _ : state) benchmark::DoNotOptimize(host::HostCallAndRelease(1, nullptr, 1, &x));
  hostsim::State().answerCode = -1;
  hostsim::State().record = true;
}
BENCHMARK(BM_HostCallAndRelease);

std::vector<XLOPER12> MixedArray() {
  static std::u16string text = u"\u0005hello";
  std::vector<XLOPER12> a(256 * 256);
  for (std::size_t i = 0; i < a.size(); ++i) {
    switch (i % 4) {
      case 0: a[i] = Num(static_cast<double>(i)); break;
      case 1: a[i].val.str = text.data(); a[i].xltype = xl::kStr; break;
      case 2: a[i].val.w = static_cast<std::int32_t>(i); a[i].xltype = xl::kInt; break;
      default: a[i].val.xbool = 1; a[i].xltype = xl::kBool; break;
    }
  }
  return a;
}

void BM_ConvertToLegacy(benchmark::State& state) {
  std::vector<XLOPER12> elements = MixedArray();
  XLOPER12 from{};
  from.val.array = {elements.data(), 256, 256};
  from.xltype = xl::kMulti;
  for (auto _ : state) {
    XLOPER to;
    host::ToLegacyValue(&from, &to);
    host::ReleaseValue(&to);
  }
  state.SetItemsProcessed(state.iterations() * 65536);
  state.SetLabel("256 x 256 mixed array, per element: see items_per_second");
}
BENCHMARK(BM_ConvertToLegacy)->Unit(benchmark::kMillisecond);

void BM_ConvertToCurrent(benchmark::State& state) {
  std::vector<XLOPER12> elements = MixedArray();
  XLOPER12 from{};
  from.val.array = {elements.data(), 256, 256};
  from.xltype = xl::kMulti;
  XLOPER legacy;
  host::ToLegacyValue(&from, &legacy);
  for (auto _ : state) {
    XLOPER12 to;
    host::ToCurrentValue(&legacy, &to);
    host::ReleaseValue12(&to);
  }
  host::ReleaseValue(&legacy);
  state.SetItemsProcessed(state.iterations() * 65536);
}
BENCHMARK(BM_ConvertToCurrent)->Unit(benchmark::kMillisecond);

}  // namespace

// A formula of n terms, 1+1+...+1, parsed, bound and evaluated as torven
// does it: the time per term must not grow with n (10,000 against 100,000).
void BM_FormulaSum(benchmark::State& state) {
  std::string formula = "1";
  for (long i = 1; i < state.range(0); ++i) formula += "+1";
  torven::Session session;
  for (auto _ : state) {
    torven::Expr call;
    torven::ParseError parseError;
    std::string error;
    const bool ok = torven::ParseCall(formula, call, parseError) && session.Bind(call, nullptr, error);
    benchmark::DoNotOptimize(ok ? session.Evaluate(call, nullptr).number : 0);
  }
  state.SetComplexityN(state.range(0));
}
BENCHMARK(BM_FormulaSum)->Arg(10000)->Arg(100000)->Unit(benchmark::kMillisecond)->Complexity(benchmark::oN);

BENCHMARK_MAIN();
