// The add-in callbacks that the host calls at load, unload, on demand and
// from its add-in manager, and the version function.
#pragma once

#include "host/records.h"
#include "platform/export.h"

extern "C" {
TORVEN_API int TORVEN_CALL xlAutoOpen();
TORVEN_API int TORVEN_CALL xlAutoClose();
TORVEN_API LPXLOPER12 TORVEN_CALL xlAutoRegister12(LPXLOPER12 procedure);
TORVEN_API int TORVEN_CALL xlAutoAdd();
TORVEN_API int TORVEN_CALL xlAutoRemove();
TORVEN_API LPXLOPER12 TORVEN_CALL xlAddInManagerInfo12(LPXLOPER12 action);
TORVEN_API LPXLOPER12 TORVEN_CALL VENTISOLA_XLL(const XLOPER12* ignored);
}
