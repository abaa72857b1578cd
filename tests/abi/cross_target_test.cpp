// The same bits on every target: the native build writes a large table of
// results of every numeric function and worksheet entry on pseudo-random
// arguments; each Windows build computes the same table and must match it bit
// for bit (also with the host's x87 unit set to 24 bits and rounding to zero).
#include <gtest/gtest.h>

#include <cstdint>
#include <cstdio>
#include <cstring>
#include <string>
#include <vector>

#include "platform/platform.h"
#include "tests/support/addin_under_test.h"
#include "tests/support/cross_table.h"
#include "tests/support/host_fpu.h"

namespace {

using namespace testing_support;
using namespace cross_table;

double CallCore(void* f, const std::string& signature, const std::vector<double>& a) {
  using I3 = double(TORVEN_CALL*)(double, double, int);
  using I6 = double(TORVEN_CALL*)(double, double, double, double, double, int);
  if (signature == "ddi") return reinterpret_cast<I3>(f)(a[0], a[1], static_cast<int>(a[2]));
  if (signature == "dddddi")
    return reinterpret_cast<I6>(f)(a[0], a[1], a[2], a[3], a[4], static_cast<int>(a[5]));
  switch (a.size()) {
    case 1: return reinterpret_cast<F1>(f)(a[0]);
    case 2: return reinterpret_cast<F2>(f)(a[0], a[1]);
    case 3: return reinterpret_cast<F3>(f)(a[0], a[1], a[2]);
    case 4: return reinterpret_cast<F4>(f)(a[0], a[1], a[2], a[3]);
    case 5: return reinterpret_cast<F5>(f)(a[0], a[1], a[2], a[3], a[4]);
    default: return reinterpret_cast<F10>(f)(a[0], a[1], a[2], a[3], a[4], a[5], a[6], a[7], a[8], a[9]);
  }
}

// An entry's result cell as two words: its type tag, then the number's bits
// or the error code.
void CallEntry(const char* entry, const std::vector<double>& a, std::vector<std::uint64_t>& out) {
  std::vector<XLOPER12> records;
  for (double x : a) records.push_back(Num(x));
  std::vector<XLOPER12*> pointers;
  for (auto& r : records) pointers.push_back(&r);
  const XLOPER12* cell =
      AddInUnderTest().CallProcedure(entry, static_cast<int>(pointers.size()), pointers.data());
  out.push_back(cell == nullptr ? 0 : cell->xltype);
  out.push_back(cell == nullptr ? 0
                : (cell->xltype & 0xFFF) == xl::kNum ? Bits(cell->val.num)
                                                      : static_cast<std::uint64_t>(cell->val.err));
}

// The whole table, in a fixed order.
std::vector<std::uint64_t> Table() {
  std::vector<std::uint64_t> table;
  Random random;
  for (const Function& f : kFunctions) {
    void* core = CoreExport(f.name, f.signature);
    if (core == nullptr) ADD_FAILURE() << "no export for " << f.name;
    for (int i = 0; i < kArgumentSets && core != nullptr; ++i) {
      std::vector<double> a;
      for (Range r : f.ranges) a.push_back(random.In(r));
      table.push_back(Bits(CallCore(core, f.signature, a)));
      if (f.entry != nullptr) CallEntry(f.entry, a, table);
    }
  }
  return table;
}

// Native writes the table; a Windows build compares with native's.
TEST(CrossTarget, SameBitsAsTheNativeBuild) {
  const std::vector<std::uint64_t> table = Table();
  if (!platform::kWindows) {
    std::FILE* file = std::fopen(TORVEN_CROSS_TABLE, "wb");
    ASSERT_NE(file, nullptr) << TORVEN_CROSS_TABLE;
    std::fwrite(table.data(), sizeof table[0], table.size(), file);
    std::fclose(file);
    return;
  }
  std::FILE* file = std::fopen(TORVEN_CROSS_TABLE, "rb");
  if (file == nullptr) GTEST_SKIP() << "no native table at " << TORVEN_CROSS_TABLE << ": run the native tests first";
  std::vector<std::uint64_t> native(table.size() + 1);
  native.resize(std::fread(native.data(), sizeof native[0], native.size(), file));
  std::fclose(file);
  ASSERT_EQ(native.size(), table.size()) << TORVEN_CROSS_TABLE;
  int differences = 0;
  for (std::size_t i = 0; i < table.size() && differences < 20; ++i)
    if (table[i] != native[i]) {
      ++differences;
      ADD_FAILURE() << "word " << i << ": " << std::hex << table[i] << " here, " << native[i] << " native";
    }
  std::printf("%zu words compared with %s\n", table.size(), TORVEN_CROSS_TABLE);
}

TEST(CrossTarget, UnchangedByTheHostsX87Settings) {
  const std::vector<std::uint64_t> plain = Table();
  const std::vector<std::uint64_t> x87 = WithX87ControlWord(kX87Single24TowardZero, Table);
  EXPECT_TRUE(plain == x87);
}

}  // namespace
