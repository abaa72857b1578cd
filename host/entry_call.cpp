#include "host/entry_call.h"

namespace torven {

XLOPER12* CallEntry(const void* p, int count, XLOPER12** a) {
  // The entries take their arguments as read-only records.
  using Arg = const XLOPER12*;
  void* f = const_cast<void*>(p);
  switch (count) {
    case 0: return reinterpret_cast<XLOPER12*(TORVEN_CALL*)()>(f)();
    case 1: return reinterpret_cast<XLOPER12*(TORVEN_CALL*)(Arg)>(f)(a[0]);
    case 2: return reinterpret_cast<XLOPER12*(TORVEN_CALL*)(Arg, Arg)>(f)(a[0], a[1]);
    case 3: return reinterpret_cast<XLOPER12*(TORVEN_CALL*)(Arg, Arg, Arg)>(f)(a[0], a[1], a[2]);
    case 4: return reinterpret_cast<XLOPER12*(TORVEN_CALL*)(Arg, Arg, Arg, Arg)>(f)(a[0], a[1], a[2], a[3]);
    case 5: return reinterpret_cast<XLOPER12*(TORVEN_CALL*)(Arg, Arg, Arg, Arg, Arg)>(f)(a[0], a[1], a[2], a[3], a[4]);
    case 6: return reinterpret_cast<XLOPER12*(TORVEN_CALL*)(Arg, Arg, Arg, Arg, Arg, Arg)>(f)(a[0], a[1], a[2], a[3], a[4], a[5]);
    case 7: return reinterpret_cast<XLOPER12*(TORVEN_CALL*)(Arg, Arg, Arg, Arg, Arg, Arg, Arg)>(f)(a[0], a[1], a[2], a[3], a[4], a[5], a[6]);
    case 8: return reinterpret_cast<XLOPER12*(TORVEN_CALL*)(Arg, Arg, Arg, Arg, Arg, Arg, Arg, Arg)>(f)(a[0], a[1], a[2], a[3], a[4], a[5], a[6], a[7]);
    case 9: return reinterpret_cast<XLOPER12*(TORVEN_CALL*)(Arg, Arg, Arg, Arg, Arg, Arg, Arg, Arg, Arg)>(f)(a[0], a[1], a[2], a[3], a[4], a[5], a[6], a[7], a[8]);
    case 10: return reinterpret_cast<XLOPER12*(TORVEN_CALL*)(Arg, Arg, Arg, Arg, Arg, Arg, Arg, Arg, Arg, Arg)>(f)(a[0], a[1], a[2], a[3], a[4], a[5], a[6], a[7], a[8], a[9]);
    case 11: return reinterpret_cast<XLOPER12*(TORVEN_CALL*)(Arg, Arg, Arg, Arg, Arg, Arg, Arg, Arg, Arg, Arg, Arg)>(f)(a[0], a[1], a[2], a[3], a[4], a[5], a[6], a[7], a[8], a[9], a[10]);
    case 12: return reinterpret_cast<XLOPER12*(TORVEN_CALL*)(Arg, Arg, Arg, Arg, Arg, Arg, Arg, Arg, Arg, Arg, Arg, Arg)>(f)(a[0], a[1], a[2], a[3], a[4], a[5], a[6], a[7], a[8], a[9], a[10], a[11]);
    case 13: return reinterpret_cast<XLOPER12*(TORVEN_CALL*)(Arg, Arg, Arg, Arg, Arg, Arg, Arg, Arg, Arg, Arg, Arg, Arg, Arg)>(f)(a[0], a[1], a[2], a[3], a[4], a[5], a[6], a[7], a[8], a[9], a[10], a[11], a[12]);
    case 14: return reinterpret_cast<XLOPER12*(TORVEN_CALL*)(Arg, Arg, Arg, Arg, Arg, Arg, Arg, Arg, Arg, Arg, Arg, Arg, Arg, Arg)>(f)(a[0], a[1], a[2], a[3], a[4], a[5], a[6], a[7], a[8], a[9], a[10], a[11], a[12], a[13]);
    case 15: return reinterpret_cast<XLOPER12*(TORVEN_CALL*)(Arg, Arg, Arg, Arg, Arg, Arg, Arg, Arg, Arg, Arg, Arg, Arg, Arg, Arg, Arg)>(f)(a[0], a[1], a[2], a[3], a[4], a[5], a[6], a[7], a[8], a[9], a[10], a[11], a[12], a[13], a[14]);
    case 16: return reinterpret_cast<XLOPER12*(TORVEN_CALL*)(Arg, Arg, Arg, Arg, Arg, Arg, Arg, Arg, Arg, Arg, Arg, Arg, Arg, Arg, Arg, Arg)>(f)(a[0], a[1], a[2], a[3], a[4], a[5], a[6], a[7], a[8], a[9], a[10], a[11], a[12], a[13], a[14], a[15]);
    default: return nullptr;
  }
}

}  // namespace torven
