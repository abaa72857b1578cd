// The add-in's callbacks against a host whose every answer the bytes choose:
// which request fails, with which code, or answers a wrong type, a null
// text, a text whose count lies or nothing.  The bytes also choose the
// callbacks and their arguments.  Never a crash, a leak (LeakSanitizer), a
// free of memory the host did not hand out, or scratch memory left held.
#include <cstdlib>

#include "fuzz/fuzz_input.h"
#include "host/scratch.h"
#include "tools/hostsim/host.h"
#include "worksheet/lifecycle.h"

namespace {

fuzz::Input* input = nullptr;

// One byte per host request: below 128 the host's own answer.
hostsim::Fault FaultFor(int, int& code) {
  const std::uint8_t b = input->Byte();
  if (b < 128) return hostsim::Fault::kNone;
  static const int kCodes[] = {1, 2, 4, 8, 16, 32, 64, 0x7777, -1, 0x10000};
  code = kCodes[b % 10];
  switch (b % 5) {
    case 0: return hostsim::Fault::kWrongType;
    case 1: return hostsim::Fault::kNullText;
    case 2: return hostsim::Fault::kLyingCount;
    case 3: return hostsim::Fault::kEmpty;
    default: return hostsim::Fault::kCode;
  }
}

const char16_t* const kNames[] = {u"\x0b" u"RADF56A_XLL", u"\x08" u"jdia_xll", u"\x03" u"XYZ",
                                  u"\x0a" u"ETPF56_XLL", u"\x00"};

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  fuzz::Input bytes(data, size);
  input = &bytes;
  hostsim::Reset();
  hostsim::State().record = true;
  hostsim::State().faultFor = FaultFor;
  for (int step = 0; step < 24 && !bytes.Empty(); ++step) {
    const std::uint8_t which = bytes.Byte();
    switch (which % 7) {
      case 0: xlAutoOpen(); break;
      case 1: xlAutoClose(); break;
      case 2: {
        XLOPER12 name{};
        name.val.str = const_cast<XCHAR*>(kNames[(which / 7) % 5]);
        name.xltype = (which & 0x80) ? xl::kNum : xl::kStr;
        xlAutoRegister12(&name);
        break;
      }
      case 3: xlAutoAdd(); break;
      case 4: xlAutoRemove(); break;
      case 5: {
        XLOPER12 action{};
        action.val.num = (which / 7) % 3;
        action.xltype = xl::kNum;
        xlAddInManagerInfo12(&action);
        break;
      }
      default: VENTISOLA_XLL(nullptr); break;
    }
    if (host::ScratchFillLevel() != 0) std::abort();
  }
  hostsim::HostState& s = hostsim::State();
  if (s.foreignFrees != 0) std::abort();
  // (Reset frees what a failed free left with the host, so that
  // LeakSanitizer sees only the add-in's own leaks.)
  s.faultFor = nullptr;
  hostsim::Reset();
  return 0;
}
