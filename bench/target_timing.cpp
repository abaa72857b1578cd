// Time per call of every numeric function, through the add-in's exports, on
// any target: the same program runs natively and, as a Windows build, under
// Wine, so that scripts/bench compares the add-ins in one run.  Prints one
// line per function: its name and the best of seven timings, in ns per call.
//   target_timing [ADDIN]   default: the add-in built beside the program
#include <algorithm>
#include <chrono>
#include <cmath>
#include <cstdio>
#include <string>
#include <vector>

#include "platform/export.h"
#include "platform/platform.h"
#include "tools/hostsim/addin.h"

namespace {

using hostsim::F1, hostsim::F2, hostsim::F3, hostsim::F4, hostsim::F5, hostsim::F10;

// Realistic days at a few latitudes and elevations.
struct Day {
  double j, lat, tMax, tMin, rhMax, rhMin, rad, pva, wind, height, elevation, sunshine;
};

std::vector<Day> Days() {
  std::vector<Day> d;
  const double lats[] = {-37.75, -22.9, 0.5, 13.73, 40.49, 50.8};
  for (int i = 0; i < 1024; ++i) {
    const double j = 1 + (i * 7) % 366;
    const double season = (i % 61) / 30.0 - 1;
    const double tMax = 18 + 12 * season + (i % 5);
    d.push_back({j, lats[i % 6], tMax, tMax - 8 - (i % 7), 80.0 + (i % 20), 30.0 + (i % 25),
                 8 + 15 * (0.5 + 0.5 * season), 0.6 + 0.02 * (i % 60), 0.5 + 0.1 * (i % 40),
                 i % 3 == 0 ? 2.0 : 10.0, 2 + 37.0 * (i % 30), 4.0 + (i % 9)});
  }
  return d;
}

volatile double sink;

// Best of seven rounds over the days, in ns per call.
template <typename Call>
double Time(const std::vector<Day>& days, Call call) {
  double best = 1e30;
  for (int round = 0; round < 7; ++round) {
    const auto start = std::chrono::steady_clock::now();
    double sum = 0;
    for (int repeat = 0; repeat < 100; ++repeat)
      for (const Day& d : days) sum += call(d);
    const std::chrono::duration<double, std::nano> took = std::chrono::steady_clock::now() - start;
    sink = sum;
    best = std::min(best, took.count() / (100.0 * static_cast<double>(days.size())));
  }
  return best;
}

}  // namespace

int main(int argc, char** argv) {
  const std::string path = argc > 1             ? argv[1]
                           : platform::kWindows ? std::string(TORVEN_ADDIN_FILE)
                                                : platform::ExecutableDirectory() + "/" + TORVEN_ADDIN_FILE;
  hostsim::AddIn addin;
  std::string error;
  if (!addin.Open(path, error)) {
    std::fprintf(stderr, "%s\n", error.c_str());
    return 2;
  }
  auto get = [&](const char* name, const char* signature) {
    void* f = addin.Symbol(hostsim::NumericExportName(name, signature).c_str());
    if (f == nullptr) std::fprintf(stderr, "no export for %s\n", name);
    return f;
  };
  const auto jdia = reinterpret_cast<F3>(get("JDIA", "ddd"));
  const auto ddia = reinterpret_cast<F2>(get("DDIAF56", "dd"));
  const auto rada = reinterpret_cast<F2>(get("RADAF56", "dd"));
  const auto radA = reinterpret_cast<F5>(get("RADF56A", "ddddd"));
  const auto radP = reinterpret_cast<F5>(get("RADF56P", "ddddd"));
  const auto pvs = reinterpret_cast<F1>(get("PVSF56", "d"));
  const auto pvtr = reinterpret_cast<F1>(get("PVTRF56", "d"));
  const auto pvhr = reinterpret_cast<F4>(get("PVHRF56", "dddd"));
  const auto pvhm = reinterpret_cast<F3>(get("PVHM", "ddd"));
  const auto uu = reinterpret_cast<F2>(get("UUF56", "dd"));
  const auto etp = reinterpret_cast<F10>(get("ETPF56", "dddddddddd"));
  if (!jdia || !ddia || !rada || !radA || !radP || !pvs || !pvtr || !pvhr || !pvhm || !uu || !etp) return 2;

  const std::vector<Day> days = Days();
  auto report = [&](const char* name, double ns) { std::printf("%-8s %8.1f\n", name, ns); };
  report("JDIA", Time(days, [&](const Day& d) { return jdia(2020, 1 + std::fmod(d.j, 12), 28); }));
  report("DDIAF56", Time(days, [&](const Day& d) { return ddia(d.j, d.lat); }));
  report("RADAF56", Time(days, [&](const Day& d) { return rada(d.j, d.lat); }));
  report("RADF56A", Time(days, [&](const Day& d) { return radA(d.j, d.sunshine, 0.25, 0.5, d.lat); }));
  report("RADF56P", Time(days, [&](const Day& d) { return radP(d.j, d.sunshine * 8, 0.25, 0.5, d.lat); }));
  report("PVSF56", Time(days, [&](const Day& d) { return pvs(d.tMax); }));
  report("PVTRF56", Time(days, [&](const Day& d) { return pvtr(d.tMin); }));
  report("PVHRF56", Time(days, [&](const Day& d) { return pvhr(d.tMax, d.tMin, d.rhMax, d.rhMin); }));
  report("PVHM", Time(days, [&](const Day& d) { return pvhm(d.tMax, d.tMin, d.rhMax); }));
  report("UUF56", Time(days, [&](const Day& d) { return uu(d.wind, d.height); }));
  report("ETPF56", Time(days, [&](const Day& d) {
           return etp(d.j, d.rad, d.tMax, d.tMin, 0, d.pva, d.wind, d.height, d.elevation, d.lat);
         }));
  return 0;
}
