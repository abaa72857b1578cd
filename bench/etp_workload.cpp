// A fixed workload for instruction counting: N calls of ETPF56_XLL with
// varied realistic inputs (N from the command line; 0 measures the start-up).
#include <cstdio>
#include <cstdlib>

#include "worksheet/entries.h"

int main(int argc, char** argv) {
  const long n = argc > 1 ? std::atol(argv[1]) : 100000;
  XLOPER12 a[10] = {};
  for (auto& r : a) r.xltype = xl::kNum;
  double sum = 0;
  for (long i = 0; i < n; ++i) {
    const double k = static_cast<double>(i % 366);
    a[0].val.num = 1 + k;                    // day
    a[1].val.num = 5 + 0.06 * k;             // Rs
    a[2].val.num = 10 + 0.05 * k;            // Tmax
    a[3].val.num = 2 + 0.04 * k;             // Tmin
    a[4].val.num = 0;                        // DTP
    a[5].val.num = 0.5 + 0.004 * k;          // ea
    a[6].val.num = 0.5 + 0.01 * k;           // wind
    a[7].val.num = i % 3 == 0 ? 2 : 10;      // height
    a[8].val.num = static_cast<double>(i % 2000);  // elevation
    a[9].val.num = -60 + static_cast<double>(i % 120);  // latitude
    sum += ETPF56_XLL(&a[0], &a[1], &a[2], &a[3], &a[4], &a[5], &a[6], &a[7], &a[8], &a[9])->val.num;
  }
  std::printf("%.6f\n", sum);
  return 0;
}
