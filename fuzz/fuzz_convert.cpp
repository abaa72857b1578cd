// The conversions on arbitrary nested records built from the fuzzer's bytes
// (all pointers valid): no leak, no out-of-bounds access, and a round trip
// gives the value back where both families can hold it.
#include <cstdlib>
#include <cstring>
#include <deque>
#include <string>
#include <vector>

#include "fuzz/fuzz_input.h"
#include "host/convert.h"

namespace {

// Owns everything a built record points to.
struct Arena {
  std::deque<std::u16string> texts;
  std::deque<std::vector<std::uint8_t>> blocks;
  std::deque<std::vector<XLOPER12>> arrays;
};

void Check(bool condition) {
  if (!condition) std::abort();
}

// Builds a current record; `exact` is cleared when the value cannot survive
// a round trip through the legacy family.
XLOPER12 Build(fuzz::Input& in, Arena& arena, int depth, bool& exact) {
  XLOPER12 r;
  std::memset(&r, 0, sizeof r);
  const std::uint8_t kind = in.Byte();
  switch (kind % 12) {
    case 0: r.xltype = xl::kNum; r.val.num = in.Take<double>(); break;
    case 1: {
      const std::size_t n = in.Byte() % 40 + (in.Byte() == 255 ? 230u : 0u);
      std::u16string& t = arena.texts.emplace_back(n + 1, u'a');
      t[0] = static_cast<char16_t>(n);
      for (std::size_t i = 1; i <= n; ++i) {
        const char16_t c = in.Take<char16_t>();
        t[i] = c;
        // Windows-1252 holds 0x20..0x7E and 0xA0..0xFF exactly.
        if (!((c >= 0x20 && c < 0x7F) || (c >= 0xA0 && c <= 0xFF))) exact = false;
      }
      if (n > 255) exact = false;
      r.xltype = xl::kStr;
      r.val.str = t.data();
      break;
    }
    case 2: r.xltype = xl::kBool; r.val.xbool = in.Byte() & 1; break;
    case 3: {
      r.xltype = xl::kErr;
      r.val.err = in.Take<std::int32_t>();
      if (r.val.err < 0 || r.val.err > 0xFFFF) exact = false;
      break;
    }
    case 4: {
      r.xltype = xl::kInt;
      r.val.w = in.Take<std::int32_t>();
      if (r.val.w < -32768 || r.val.w > 32767) exact = false;
      break;
    }
    case 5: {
      const std::uint16_t count = in.Byte() % 4;
      auto& block = arena.blocks.emplace_back(offsetof(XLMREF12, reftbl) + sizeof(XLREF12) * (count + 1u));
      auto* m = reinterpret_cast<XLMREF12*>(block.data());
      m->count = count;
      for (std::uint16_t i = 0; i < count; ++i) {
        m->reftbl[i] = {in.Take<std::int32_t>() % 70000, in.Take<std::int32_t>() % 70000,
                        in.Take<std::int32_t>() % 300, in.Take<std::int32_t>() % 300};
      }
      r.xltype = xl::kRef;
      r.val.mref.lpmref = in.Byte() == 7 ? nullptr : m;
      r.val.mref.idSheet = in.Take<std::uint32_t>();
      exact = false;  // a refused rectangle, an empty block: checked by the conversion alone
      break;
    }
    case 6: {
      if (depth >= 3) { r.xltype = xl::kMissing; break; }
      const int rows = in.Byte() % 4, columns = in.Byte() % 4;
      auto& elements = arena.arrays.emplace_back(static_cast<std::size_t>(rows * columns));
      for (auto& e : elements) e = Build(in, arena, depth + 1, exact);
      r.xltype = xl::kMulti;
      r.val.array = {elements.data(), rows, columns};
      if (rows * columns == 0) exact = false;
      break;
    }
    case 7: {
      r.xltype = xl::kSRef;
      r.val.sref.count = in.Byte() % 3;
      r.val.sref.ref = {in.Byte(), in.Byte(), in.Byte(), in.Byte()};
      exact = false;
      break;
    }
    case 8: {
      auto& bytes = arena.blocks.emplace_back(in.Byte() % 16);
      r.xltype = xl::kBigData;
      r.val.bigdata.h.lpbData = bytes.empty() ? nullptr : bytes.data();
      r.val.bigdata.cbData = static_cast<std::int32_t>(bytes.size());
      exact = false;
      break;
    }
    case 9: r.xltype = xl::kMissing; break;
    case 10: r.xltype = xl::kNil; break;
    default: r.xltype = in.Take<std::uint32_t>(); exact = false; break;  // any tag at all
  }
  return r;
}

bool Equal(const XLOPER12& a, const XLOPER12& b) {
  if (a.xltype != b.xltype) return false;
  switch (a.xltype) {
    case xl::kNum: return std::memcmp(&a.val.num, &b.val.num, sizeof(double)) == 0;
    case xl::kStr: return std::u16string(a.val.str, a.val.str[0] + 1u) == std::u16string(b.val.str, b.val.str[0] + 1u);
    case xl::kBool: return a.val.xbool == b.val.xbool;
    case xl::kErr: return a.val.err == b.val.err;
    case xl::kInt: return a.val.w == b.val.w;
    case xl::kMulti:
      if (a.val.array.rows != b.val.array.rows || a.val.array.columns != b.val.array.columns) return false;
      for (int i = 0; i < a.val.array.rows * a.val.array.columns; ++i)
        if (!Equal(a.val.array.lparray[i], b.val.array.lparray[i])) return false;
      return true;
    default: return true;
  }
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  fuzz::Input in(data, size);
  Arena arena;
  bool exact = true;
  const XLOPER12 value = Build(in, arena, 0, exact);
  XLOPER legacy;
  if (host::ToLegacyValue(&value, &legacy) != 1) {
    Check(!exact);
    return 0;
  }
  XLOPER12 back;
  const int ok = host::ToCurrentValue(&legacy, &back);
  if (exact) {
    Check(ok == 1);
    Check(Equal(value, back));
  }
  if (ok == 1) host::ReleaseValue12(&back);
  host::ReleaseValue(&legacy);
  return 0;
}
