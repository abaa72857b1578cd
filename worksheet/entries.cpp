// The ten worksheet entries.
#include "worksheet/entries.h"

#include "core/torven_core.h"
#include "worksheet/rules.h"

namespace {

using namespace worksheet;

// The result cells, one per entry, zero-filled at load.
XLOPER12 radf56aCell, radf56pCell, ddiaf56Cell, radaf56Cell, pvsf56Cell, pvtrf56Cell,
    pvhrf56Cell, pvhmCell, etpf56Cell, jdiaCell;

}  // namespace

LPXLOPER12 TORVEN_CALL RADF56A_XLL(XLARG jdia, XLARG he, XLARG as, XLARG bs, XLARG latitud) {
  const XLARG args[] = {jdia, he, as, bs, latitud};
  double x[5];
  if (!Screen<kRadf56a>(args, x, radf56aCell)) return &radf56aCell;
  return StoreResult(radf56aCell, RADF56A(x[0], x[1], x[2], x[3], x[4]));
}

LPXLOPER12 TORVEN_CALL RADF56P_XLL(XLARG jdia, XLARG he, XLARG as, XLARG bs, XLARG latitud) {
  const XLARG args[] = {jdia, he, as, bs, latitud};
  double x[5];
  if (!Screen<kRadf56p>(args, x, radf56pCell)) return &radf56pCell;
  return StoreResult(radf56pCell, RADF56P(x[0], x[1], x[2], x[3], x[4]));
}

LPXLOPER12 TORVEN_CALL DDIAF56_XLL(XLARG jdia, XLARG latitud) {
  const XLARG args[] = {jdia, latitud};
  double x[2];
  if (!Screen<kSolar>(args, x, ddiaf56Cell)) return &ddiaf56Cell;
  return StoreResult(ddiaf56Cell, SOLF56(x[0], x[1], core::kModeDayLength));
}

LPXLOPER12 TORVEN_CALL RADAF56_XLL(XLARG jdia, XLARG latitud) {
  const XLARG args[] = {jdia, latitud};
  double x[2];
  if (!Screen<kSolar>(args, x, radaf56Cell)) return &radaf56Cell;
  return StoreResult(radaf56Cell, SOLF56(x[0], x[1], core::kModeExtraterrestrial));
}

LPXLOPER12 TORVEN_CALL PVSF56_XLL(XLARG t) {
  double x[1];
  if (!Screen<kPvsf56>(&t, x, pvsf56Cell)) return &pvsf56Cell;
  return StoreResult(pvsf56Cell, PVSF56(x[0]));
}

LPXLOPER12 TORVEN_CALL PVTRF56_XLL(XLARG troc) {
  double x[1];
  if (!Screen<kPvtrf56>(&troc, x, pvtrf56Cell)) return &pvtrf56Cell;
  return StoreResult(pvtrf56Cell, PVTRF56(x[0]));
}

LPXLOPER12 TORVEN_CALL PVHRF56_XLL(XLARG tmax, XLARG tmin, XLARG hrmax, XLARG hrmin) {
  const XLARG args[] = {tmax, tmin, hrmax, hrmin};
  double x[4];
  if (!Screen<kPvhrf56>(args, x, pvhrf56Cell)) return &pvhrf56Cell;
  return StoreResult(pvhrf56Cell, PVHRF56(x[0], x[1], x[2], x[3]));
}

LPXLOPER12 TORVEN_CALL PVHM_XLL(XLARG tmax, XLARG tmin, XLARG hrmed) {
  const XLARG args[] = {tmax, tmin, hrmed};
  double x[3];
  if (!Screen<kPvhm>(args, x, pvhmCell)) return &pvhmCell;
  return StoreResult(pvhmCell, PVHM(x[0], x[1], x[2]));
}

LPXLOPER12 TORVEN_CALL ETPF56_XLL(XLARG jdia, XLARG rad, XLARG tmax, XLARG tmin, XLARG dtp,
                                  XLARG pva, XLARG viento, XLARG altura, XLARG altitud,
                                  XLARG latitud) {
  const XLARG args[] = {jdia, rad, tmax, tmin, dtp, pva, viento, altura, altitud, latitud};
  double x[10];
  if (!Screen<kEtpf56>(args, x, etpf56Cell)) return &etpf56Cell;
  return StoreResult(etpf56Cell, ETPF56(x[0], x[1], x[2], x[3], x[4], x[5], x[6], x[7], x[8], x[9]));
}

LPXLOPER12 TORVEN_CALL JDIA_XLL(XLARG anio, XLARG mes, XLARG dia) {
  const XLARG args[] = {anio, mes, dia};
  double x[3];
  if (!Screen<kJdia>(args, x, jdiaCell)) return &jdiaCell;
  return StoreResult(jdiaCell, JDIA(x[0], x[1], x[2]));
}
