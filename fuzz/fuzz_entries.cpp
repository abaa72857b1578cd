// The worksheet entries with any type tag, any double and any error code in
// any argument: the result is a number or an allowed error, and when it is a
// number it equals the core's value for the same arguments.
#include <cmath>
#include <cstdlib>
#include <iterator>
#include <cstring>

#include "core/torven_core.h"
#include "fuzz/fuzz_input.h"
#include "worksheet/entries.h"

namespace {

constexpr std::uint32_t kTags[] = {xl::kNum, xl::kNum, xl::kNum, xl::kNum, xl::kErr, xl::kStr,
                                   xl::kBool, xl::kMissing, xl::kNil, xl::kMulti, xl::kInt,
                                   xl::kNum | xl::kHostFrees, xl::kErr | xl::kAddInFrees};

constexpr double kSpecial[] = {0.0, -0.0, 1.0, -1.0, 90.0, -90.0, 366.0, 366.5, 100.0, 1000.0,
                               1e76, -1e76, 1e300, 1.7976931348623157e308, -1.7976931348623157e308,
                               4.9e-324, INFINITY, -INFINITY, NAN, 12.3, 21.5, 187.0, 2023.0, 12.0, 31.0};

bool Same(double a, double b) { return (std::isnan(a) && std::isnan(b)) || a == b; }

void Check(bool condition) {
  if (!condition) std::abort();
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  fuzz::Input in(data, size);
  const int entry = in.Byte() % 10;
  XLOPER12 args[10];
  std::int32_t errors[10];
  for (int i = 0; i < 10; ++i) {
    std::memset(&args[i], 0, sizeof args[i]);
    const std::uint8_t kind = in.Byte();
    if (kind < 200) {
      args[i].xltype = kTags[kind % std::size(kTags)];
    } else {
      args[i].xltype = in.Take<std::uint32_t>();  // garbage tags
    }
    const std::uint8_t valueKind = in.Byte();
    if (valueKind < 128) args[i].val.num = kSpecial[valueKind % std::size(kSpecial)];
    else args[i].val.num = in.Take<double>();  // any bit pattern, NaN payloads included
    if (args[i].xltype == xl::kErr) args[i].val.err = in.Take<std::int32_t>();
    errors[i] = args[i].xltype == xl::kErr ? args[i].val.err : -1;
  }
  XLOPER12* a = args;
  const XLOPER12* r = nullptr;
  double core = 0;
  switch (entry) {
    case 0: r = RADF56A_XLL(&a[0], &a[1], &a[2], &a[3], &a[4]); core = RADF56A(a[0].val.num, a[1].val.num, a[2].val.num, a[3].val.num, a[4].val.num); break;
    case 1: r = RADF56P_XLL(&a[0], &a[1], &a[2], &a[3], &a[4]); core = RADF56P(a[0].val.num, a[1].val.num, a[2].val.num, a[3].val.num, a[4].val.num); break;
    case 2: r = DDIAF56_XLL(&a[0], &a[1]); core = SOLF56(a[0].val.num, a[1].val.num, 2); break;
    case 3: r = RADAF56_XLL(&a[0], &a[1]); core = SOLF56(a[0].val.num, a[1].val.num, 3); break;
    case 4: r = PVSF56_XLL(&a[0]); core = PVSF56(a[0].val.num); break;
    case 5: r = PVTRF56_XLL(&a[0]); core = PVTRF56(a[0].val.num); break;
    case 6: r = PVHRF56_XLL(&a[0], &a[1], &a[2], &a[3]); core = PVHRF56(a[0].val.num, a[1].val.num, a[2].val.num, a[3].val.num); break;
    case 7: r = PVHM_XLL(&a[0], &a[1], &a[2]); core = PVHM(a[0].val.num, a[1].val.num, a[2].val.num); break;
    case 8:
      r = ETPF56_XLL(&a[0], &a[1], &a[2], &a[3], &a[4], &a[5], &a[6], &a[7], &a[8], &a[9]);
      core = ETPF56(a[0].val.num, a[1].val.num, a[2].val.num, a[3].val.num, a[4].val.num, a[5].val.num,
                    a[6].val.num, a[7].val.num, a[8].val.num, a[9].val.num);
      break;
    default: r = JDIA_XLL(&a[0], &a[1], &a[2]); core = JDIA(a[0].val.num, a[1].val.num, a[2].val.num); break;
  }
  Check(r != nullptr);
  if (r->xltype == xl::kNum) {
    Check(Same(r->val.num, core));
    Check(!(r->val.num <= -1.7976931348623157e308) && !(r->val.num >= 1.7976931348623157e308));
  } else {
    Check(r->xltype == xl::kErr);
    bool allowed = r->val.err == xl::kErrValue || r->val.err == xl::kErrNum;
    for (std::int32_t e : errors) allowed = allowed || e == r->val.err;
    Check(allowed);
  }
  return 0;
}
