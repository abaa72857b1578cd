// The numeric core with arbitrary doubles and mode selectors: no trap and no
// undefined behaviour (the sanitizers watch every conversion and operation).
#include "core/torven_core.h"
#include "fuzz/fuzz_input.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  fuzz::Input in(data, size);
  double x[10];
  for (double& v : x) v = in.Take<double>();
  const int mode = in.Take<std::int32_t>();
  volatile double sink = 0;
  sink = JDIA(x[0], x[1], x[2]);
  sink = SOLF56(x[0], x[1], mode);
  sink = DDIAF56(x[2], x[3]);
  sink = RADAF56(x[3], x[4]);
  sink = RADF56(x[0], x[1], x[2], x[3], x[4], mode);
  sink = RADF56A(x[5], x[6], x[7], x[8], x[9]);
  sink = RADF56P(x[5], x[6], x[7], x[8], x[9]);
  sink = PVSF56(x[0]);
  sink = PVTRF56(x[1]);
  sink = PVHRF56(x[0], x[1], x[2], x[3]);
  sink = PVHM(x[4], x[5], x[6]);
  sink = UUF56(x[7], x[8]);
  sink = ETPF56(x[0], x[1], x[2], x[3], x[4], x[5], x[6], x[7], x[8], x[9]);
  sink = SUMAVOQ(x[8], x[9]);
  (void)sink;
  return 0;
}
