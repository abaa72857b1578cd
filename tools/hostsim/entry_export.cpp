// The host program's exported entry point, found by the add-in as
// "MdCallBack12" among the process's exports.  Linked only into programs that
// play the host.
#include "tools/hostsim/host.h"

extern "C" TORVEN_HOST_EXPORT int TORVEN_CALL MdCallBack12(int function, int count,
                                                           XLOPER12** args, XLOPER12* result) {
  return hostsim::Dispatch(function, count, args, result);
}
