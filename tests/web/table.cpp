// The cross-target table as the WebAssembly build computes it: the same
// functions and worksheet entries on the same arguments as the native
// build's table, called directly inside the module.  The test reads the
// words from the module's memory and compares them with native's.
#include <cstdint>
#include <cstring>
#include <string>
#include <vector>

#include "core/torven_core.h"
#include "tests/support/cross_table.h"
#include "worksheet/entries.h"

using namespace cross_table;

namespace {

std::vector<std::uint64_t> words;

double CallCore(const std::string& f, const std::vector<double>& a) {
  const auto mode = [&](std::size_t i) { return static_cast<int>(a[i]); };
  if (f == "JDIA") return JDIA(a[0], a[1], a[2]);
  if (f == "SOLF56") return SOLF56(a[0], a[1], mode(2));
  if (f == "DDIAF56") return DDIAF56(a[0], a[1]);
  if (f == "RADAF56") return RADAF56(a[0], a[1]);
  if (f == "RADF56") return RADF56(a[0], a[1], a[2], a[3], a[4], mode(5));
  if (f == "RADF56A") return RADF56A(a[0], a[1], a[2], a[3], a[4]);
  if (f == "RADF56P") return RADF56P(a[0], a[1], a[2], a[3], a[4]);
  if (f == "PVSF56") return PVSF56(a[0]);
  if (f == "PVTRF56") return PVTRF56(a[0]);
  if (f == "PVHRF56") return PVHRF56(a[0], a[1], a[2], a[3]);
  if (f == "PVHM") return PVHM(a[0], a[1], a[2]);
  if (f == "UUF56") return UUF56(a[0], a[1]);
  return ETPF56(a[0], a[1], a[2], a[3], a[4], a[5], a[6], a[7], a[8], a[9]);
}

const XLOPER12* CallEntry(const std::string& e, const XLOPER12* r) {
  if (e == "JDIA_XLL") return JDIA_XLL(&r[0], &r[1], &r[2]);
  if (e == "DDIAF56_XLL") return DDIAF56_XLL(&r[0], &r[1]);
  if (e == "RADAF56_XLL") return RADAF56_XLL(&r[0], &r[1]);
  if (e == "RADF56A_XLL") return RADF56A_XLL(&r[0], &r[1], &r[2], &r[3], &r[4]);
  if (e == "RADF56P_XLL") return RADF56P_XLL(&r[0], &r[1], &r[2], &r[3], &r[4]);
  if (e == "PVSF56_XLL") return PVSF56_XLL(&r[0]);
  if (e == "PVTRF56_XLL") return PVTRF56_XLL(&r[0]);
  if (e == "PVHRF56_XLL") return PVHRF56_XLL(&r[0], &r[1], &r[2], &r[3]);
  if (e == "PVHM_XLL") return PVHM_XLL(&r[0], &r[1], &r[2]);
  return ETPF56_XLL(&r[0], &r[1], &r[2], &r[3], &r[4], &r[5], &r[6], &r[7], &r[8], &r[9]);
}

}  // namespace

// Computes the table; returns its length in words (read at table_data()).
extern "C" __attribute__((export_name("table_words"))) int TableWords() {
  words.clear();
  Random random;
  for (const Function& f : kFunctions)
    for (int i = 0; i < kArgumentSets; ++i) {
      std::vector<double> a;
      for (Range r : f.ranges) a.push_back(random.In(r));
      words.push_back(Bits(CallCore(f.name, a)));
      if (f.entry == nullptr) continue;
      XLOPER12 records[10];
      for (std::size_t k = 0; k < a.size(); ++k) {
        std::memset(&records[k], 0, sizeof records[k]);
        records[k].val.num = a[k];
        records[k].xltype = xl::kNum;
      }
      const XLOPER12* cell = CallEntry(f.entry, records);
      words.push_back(cell->xltype);
      words.push_back((cell->xltype & 0xFFF) == xl::kNum ? Bits(cell->val.num)
                                                          : static_cast<std::uint64_t>(cell->val.err));
    }
  return static_cast<int>(words.size());
}

extern "C" __attribute__((export_name("table_data"))) const std::uint64_t* TableData() { return words.data(); }
