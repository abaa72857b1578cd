// The worksheet entries: what the host calls for each cell evaluation.
//
// Each entry screens its arguments, calls one core function and returns the
// address of its own static result cell (number or error form).  No entry
// allocates, calls the host or converts a value.
#pragma once

#include "host/records.h"
#include "platform/export.h"

using XLARG = const XLOPER12*;

extern "C" {
TORVEN_API LPXLOPER12 TORVEN_CALL RADF56A_XLL(XLARG jdia, XLARG he, XLARG as, XLARG bs,
                                              XLARG latitud);
TORVEN_API LPXLOPER12 TORVEN_CALL RADF56P_XLL(XLARG jdia, XLARG he, XLARG as, XLARG bs,
                                              XLARG latitud);
TORVEN_API LPXLOPER12 TORVEN_CALL DDIAF56_XLL(XLARG jdia, XLARG latitud);
TORVEN_API LPXLOPER12 TORVEN_CALL RADAF56_XLL(XLARG jdia, XLARG latitud);
TORVEN_API LPXLOPER12 TORVEN_CALL PVSF56_XLL(XLARG t);
TORVEN_API LPXLOPER12 TORVEN_CALL PVTRF56_XLL(XLARG troc);
TORVEN_API LPXLOPER12 TORVEN_CALL PVHRF56_XLL(XLARG tmax, XLARG tmin, XLARG hrmax, XLARG hrmin);
TORVEN_API LPXLOPER12 TORVEN_CALL PVHM_XLL(XLARG tmax, XLARG tmin, XLARG hrmed);
TORVEN_API LPXLOPER12 TORVEN_CALL ETPF56_XLL(XLARG jdia, XLARG rad, XLARG tmax, XLARG tmin,
                                             XLARG dtp, XLARG pva, XLARG viento, XLARG altura,
                                             XLARG altitud, XLARG latitud);
TORVEN_API LPXLOPER12 TORVEN_CALL JDIA_XLL(XLARG anio, XLARG mes, XLARG dia);
}
