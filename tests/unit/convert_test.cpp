// Release and legacy/current conversion: every tag, every refusal, failure
// injection at every allocation, and round trips.
#include <gtest/gtest.h>

#include <cstdlib>
#include <cstring>
#include <string>
#include <vector>

#include "host/convert.h"

namespace {

using namespace host;

XLOPER12 Cur(std::uint32_t type) {
  XLOPER12 r{};
  r.xltype = type;
  return r;
}

XLOPER Leg(std::uint16_t type) {
  XLOPER r{};
  r.xltype = type;
  return r;
}

// A destination that must stay untouched on failure.
XLOPER Poisoned() {
  XLOPER r;
  std::memset(&r, 0xAB, sizeof r);
  return r;
}

XLOPER12 Poisoned12() {
  XLOPER12 r;
  std::memset(&r, 0xAB, sizeof r);
  return r;
}

bool Untouched(const XLOPER& r) {
  const XLOPER p = Poisoned();
  return std::memcmp(&r, &p, sizeof r) == 0;
}

bool Untouched(const XLOPER12& r) {
  const XLOPER12 p = Poisoned12();
  return std::memcmp(&r, &p, sizeof r) == 0;
}

bool SameBlock(const XLMREF12* a, const XLMREF12* b) {
  if (a->count != b->count) return false;
  for (std::uint16_t i = 0; i < a->count; ++i) {
    const XLREF12 &x = a->reftbl[i], &y = b->reftbl[i];
    if (x.rwFirst != y.rwFirst || x.rwLast != y.rwLast || x.colFirst != y.colFirst || x.colLast != y.colLast)
      return false;
  }
  return true;
}

// --- Allocation seam: fail at the k-th allocation, count live blocks ---------

int allocationsLeft = -1;  // -1: never fail
int allocations = 0;

void* Failing(std::size_t bytes) {
  if (allocationsLeft == 0) return nullptr;
  if (allocationsLeft > 0) --allocationsLeft;
  ++allocations;
  return std::malloc(bytes);
}

class Conversion : public ::testing::Test {
 protected:
  void SetUp() override {
    allocationsLeft = -1;
    allocations = 0;
    SetConversionAllocator(&Failing);
  }
  void TearDown() override { SetConversionAllocator(nullptr); }
};

TEST_F(Conversion, Strings) {
  for (int n : {0, 1, 200, 255}) {
    std::u16string text(static_cast<std::size_t>(n) + 1, u'\u00e9');
    text[0] = static_cast<char16_t>(n);
    XLOPER12 from = Cur(xl::kStr);
    from.val.str = text.data();
    XLOPER to{};
    ASSERT_EQ(ToLegacyValue(&from, &to), 1) << n;
    EXPECT_EQ(to.xltype, xl::kStr);
    EXPECT_EQ(static_cast<unsigned char>(to.val.str[0]), n);
    EXPECT_EQ(to.val.str[n + 1], 0);
    if (n > 0) {
      EXPECT_EQ(static_cast<unsigned char>(to.val.str[1]), 0xE9);
    }
    XLOPER12 back{};
    ASSERT_EQ(ToCurrentValue(&to, &back), 1);
    EXPECT_EQ(std::u16string(back.val.str, static_cast<std::size_t>(n) + 1), text);
    ReleaseValue(&to);
    ReleaseValue12(&back);
  }
  std::u16string tooLong(257, u'x');
  tooLong[0] = 256;
  XLOPER12 from = Cur(xl::kStr);
  from.val.str = tooLong.data();
  XLOPER to = Poisoned();
  EXPECT_EQ(ToLegacyValue(&from, &to), 0);
  EXPECT_TRUE(Untouched(to));
  XLOPER nullText = Leg(xl::kStr);
  XLOPER12 to12 = Poisoned12();
  EXPECT_EQ(ToCurrentValue(&nullText, &to12), 0);
  EXPECT_TRUE(Untouched(to12));
}

TEST_F(Conversion, Windows1252TextsSurviveBothWays) {
  // Every byte that Windows-1252 defines, including the euro and the quotes.
  std::string bytes(1, '\0');
  for (int b = 0x20; b <= 0xFF; ++b)
    if (b != 0x7F && b != 0x81 && b != 0x8D && b != 0x8F && b != 0x90 && b != 0x9D && bytes.size() < 256)
      bytes += static_cast<char>(b);
  bytes[0] = static_cast<char>(bytes.size() - 1);
  XLOPER from = Leg(xl::kStr);
  from.val.str = bytes.data();
  XLOPER12 mid{};
  ASSERT_EQ(ToCurrentValue(&from, &mid), 1);
  EXPECT_EQ(mid.val.str[bytes.find('\x80')], 0x20AC);  // the euro sign
  XLOPER back{};
  ASSERT_EQ(ToLegacyValue(&mid, &back), 1);
  EXPECT_EQ(std::string(back.val.str, bytes.size()), bytes);
  ReleaseValue12(&mid);
  ReleaseValue(&back);
}

TEST_F(Conversion, ScalarTags) {
  struct IntCase {
    std::int32_t in;
    std::uint32_t tag;
    double number;
  } ints[] = {{32767, xl::kInt, 0},       {-32768, xl::kInt, 0},        {32768, xl::kNum, 32768.0},
              {-32769, xl::kNum, -32769.0}, {16777217, xl::kNum, 16777217.0}, {2147483647, xl::kNum, 2147483647.0}};
  for (const auto& c : ints) {
    XLOPER12 from = Cur(xl::kInt);
    from.val.w = c.in;
    XLOPER to{};
    ASSERT_EQ(ToLegacyValue(&from, &to), 1);
    EXPECT_EQ(to.xltype, c.tag) << c.in;
    if (c.tag == xl::kInt) {
      EXPECT_EQ(to.val.w, c.in);
    }
    else {
      EXPECT_EQ(to.val.num, c.number);
    }  // exact, never through single precision
  }
  XLOPER legacyInt = Leg(xl::kInt);
  legacyInt.val.w = -5;
  XLOPER12 to12{};
  ASSERT_EQ(ToCurrentValue(&legacyInt, &to12), 1);
  EXPECT_EQ(to12.val.w, -5);
  XLOPER legacyBool = Leg(xl::kBool);
  legacyBool.val.xbool = 1;
  ASSERT_EQ(ToCurrentValue(&legacyBool, &to12), 1);
  EXPECT_EQ(to12.val.xbool, 1);
  XLOPER legacyErr = Leg(xl::kErr);
  legacyErr.val.err = 42;
  ASSERT_EQ(ToCurrentValue(&legacyErr, &to12), 1);
  EXPECT_EQ(to12.xltype, xl::kErr);
  EXPECT_EQ(to12.val.err, 42);
  XLOPER12 bigError = Cur(xl::kErr);
  bigError.val.err = 65536;
  XLOPER to = Poisoned();
  EXPECT_EQ(ToLegacyValue(&bigError, &to), 0);
  EXPECT_TRUE(Untouched(to));
  for (std::uint32_t tag : {xl::kMissing, xl::kNil}) {
    XLOPER12 from = Cur(tag);
    ASSERT_EQ(ToLegacyValue(&from, &to), 1);
    EXPECT_EQ(to.xltype, tag);
    XLOPER lfrom = Leg(static_cast<std::uint16_t>(tag));
    ASSERT_EQ(ToCurrentValue(&lfrom, &to12), 1);
    EXPECT_EQ(to12.xltype, tag);
  }
  EXPECT_EQ(allocations, 0);
}

TEST_F(Conversion, Rectangles) {
  const XLREF12 refused[] = {{5, 4, 0, 0}, {0, 0, 5, 4}, {-1, 0, 0, 0}, {0, 0, -1, 0},
                             {0, 65536, 0, 0}, {0, 0, 0, 256}};
  for (const auto& r : refused) {
    XLREF out{9, 9, 9, 9};
    EXPECT_EQ(ToLegacyRect(&r, &out), 0);
    EXPECT_EQ(out.rwFirst, 9);
  }
  const XLREF12 edge{0, 65535, 0, 255};
  XLREF out{};
  ASSERT_EQ(ToLegacyRect(&edge, &out), 1);
  EXPECT_EQ(out.rwLast, 65535);
  EXPECT_EQ(out.colLast, 255);
  XLREF12 wide{};
  const XLREF backwards{3, 2, 0, 0};
  EXPECT_EQ(ToCurrentRect(&backwards, &wide), 0);
  ASSERT_EQ(ToCurrentRect(&out, &wide), 1);
  EXPECT_EQ(wide.rwLast, 65535);
}

TEST_F(Conversion, References) {
  // Null and empty blocks become missing values, both ways.
  XLMREF12 empty{0, {}};
  for (XLMREF12* block : {static_cast<XLMREF12*>(nullptr), &empty}) {
    XLOPER12 from = Cur(xl::kRef);
    from.val.mref.lpmref = block;
    XLOPER to{};
    ASSERT_EQ(ToLegacyValue(&from, &to), 1);
    EXPECT_EQ(to.xltype, xl::kMissing);
  }
  XLOPER legacyNull = Leg(xl::kRef);
  XLOPER12 to12{};
  ASSERT_EQ(ToCurrentValue(&legacyNull, &to12), 1);
  EXPECT_EQ(to12.xltype, xl::kMissing);
  // Two rectangles; the second's last column 256 refuses the whole value.
  struct {
    std::uint16_t count;
    XLREF12 rects[2];
  } two{2, {{0, 1, 0, 1}, {0, 1, 0, 256}}};
  XLOPER12 from = Cur(xl::kRef);
  from.val.mref.lpmref = reinterpret_cast<XLMREF12*>(&two);
  from.val.mref.idSheet = 77;
  XLOPER to = Poisoned();
  EXPECT_EQ(ToLegacyValue(&from, &to), 0);
  EXPECT_TRUE(Untouched(to));
  two.rects[1].colLast = 255;
  ASSERT_EQ(ToLegacyValue(&from, &to), 1);
  EXPECT_EQ(to.val.mref.idSheet, 77u);
  EXPECT_EQ(to.val.mref.lpmref->count, 2);
  EXPECT_EQ(to.val.mref.lpmref->reftbl[1].colLast, 255);
  ASSERT_EQ(ToCurrentValue(&to, &to12), 1);
  EXPECT_TRUE(SameBlock(to12.val.mref.lpmref, reinterpret_cast<XLMREF12*>(&two)));
  ReleaseValue(&to);
  ReleaseValue12(&to12);
  // Single references need a count of 1.
  XLOPER12 sref = Cur(xl::kSRef);
  sref.val.sref.count = 2;
  EXPECT_EQ(ToLegacyValue(&sref, &to), 0);
  sref.val.sref.count = 1;
  sref.val.sref.ref = {3, 4, 5, 6};
  ASSERT_EQ(ToLegacyValue(&sref, &to), 1);
  EXPECT_EQ(to.val.sref.ref.colLast, 6);
}

TEST_F(Conversion, FlowAndBigData) {
  XLOPER12 flow = Cur(xl::kFlow);
  flow.val.flow.rw = 65536;
  XLOPER to = Poisoned();
  EXPECT_EQ(ToLegacyValue(&flow, &to), 0);
  flow.val.flow.rw = 65535;
  flow.val.flow.col = 255;
  flow.val.flow.xlflow = 3;
  flow.val.flow.valflow.level = 9;
  ASSERT_EQ(ToLegacyValue(&flow, &to), 1);
  EXPECT_EQ(to.val.flow.rw, 65535);
  EXPECT_EQ(to.val.flow.col, 255);
  EXPECT_EQ(to.val.flow.xlflow, 3);
  EXPECT_EQ(to.val.flow.valflow.level, 9);
  std::uint8_t bytes[] = {1, 2, 3};
  XLOPER12 big = Cur(xl::kBigData);
  big.val.bigdata.h.lpbData = bytes;
  big.val.bigdata.cbData = 0;
  to = Poisoned();
  EXPECT_EQ(ToLegacyValue(&big, &to), 0);
  EXPECT_TRUE(Untouched(to));
  big.val.bigdata.cbData = 3;
  ASSERT_EQ(ToLegacyValue(&big, &to), 1);
  EXPECT_NE(to.val.bigdata.h.lpbData, bytes);
  EXPECT_EQ(to.val.bigdata.h.lpbData[2], 3);
  ReleaseValue(&to);
}

TEST_F(Conversion, ArraysAtTheLimits) {
  std::vector<XLOPER12> column(65535, Cur(xl::kNum));
  XLOPER12 from = Cur(xl::kMulti);
  from.val.array.lparray = column.data();
  from.val.array.rows = 65535;
  from.val.array.columns = 1;
  XLOPER to{};
  ASSERT_EQ(ToLegacyValue(&from, &to), 1);
  EXPECT_EQ(to.val.array.rows, 65535);
  ReleaseValue(&to);
  from.val.array.rows = 65536;
  to = Poisoned();
  EXPECT_EQ(ToLegacyValue(&from, &to), 0);
  EXPECT_TRUE(Untouched(to));
  from.val.array.rows = 0;
  ASSERT_EQ(ToLegacyValue(&from, &to), 1);
  EXPECT_EQ(to.xltype, xl::kMissing);
  // A legacy 256 x 256 array converts all 65536 elements.
  std::vector<XLOPER> square(65536, Leg(xl::kInt));
  for (std::size_t i = 0; i < square.size(); ++i) square[i].val.w = static_cast<std::int16_t>(i);
  XLOPER lfrom = Leg(xl::kMulti);
  lfrom.val.array.lparray = square.data();
  lfrom.val.array.rows = 256;
  lfrom.val.array.columns = 256;
  XLOPER12 to12{};
  ASSERT_EQ(ToCurrentValue(&lfrom, &to12), 1);
  EXPECT_EQ(to12.val.array.lparray[65535].val.w, static_cast<std::int16_t>(65535));
  ReleaseValue12(&to12);
  lfrom.val.array.columns = 257;
  EXPECT_EQ(ToCurrentValue(&lfrom, &to12), 0);
}

// A nested value of every kind that allocates: strings, a reference block, an
// inner array, big data.
struct Nested {
  std::u16string text = std::u16string(1, u'\u0003') + u"abc";
  XLMREF12 block{1, {{1, 2, 3, 4}}};
  std::uint8_t bytes[4] = {9, 8, 7, 6};
  XLOPER12 inner[2]{};
  XLOPER12 outer[4]{};
  XLOPER12 value{};
  Nested() {
    inner[0] = Cur(xl::kStr);
    inner[0].val.str = text.data();
    inner[1] = Cur(xl::kNum);
    inner[1].val.num = 2.5;
    outer[0] = Cur(xl::kStr);
    outer[0].val.str = text.data();
    outer[1] = Cur(xl::kRef);
    outer[1].val.mref.lpmref = &block;
    outer[2] = Cur(xl::kMulti);
    outer[2].val.array = {inner, 1, 2};
    outer[3] = Cur(xl::kBigData);
    outer[3].val.bigdata.h.lpbData = bytes;
    outer[3].val.bigdata.cbData = 4;
    value = Cur(xl::kMulti);
    value.val.array = {outer, 2, 2};
  }
};

TEST_F(Conversion, FailureAtEveryAllocationLeavesNothingBehind) {
  Nested nested;
  XLOPER whole{};
  ASSERT_EQ(ToLegacyValue(&nested.value, &whole), 1);
  const int needed = allocations;
  EXPECT_EQ(needed, 6);  // outer array, string, block, inner array, inner string, big data
  for (int k = 0; k < needed; ++k) {
    allocationsLeft = k;
    XLOPER to = Poisoned();
    EXPECT_EQ(ToLegacyValue(&nested.value, &to), 0) << "failing allocation " << k;
    EXPECT_TRUE(Untouched(to)) << k;
  }
  allocationsLeft = -1;
  // And back: legacy to current, failing at every allocation.
  allocations = 0;
  XLOPER12 back{};
  ASSERT_EQ(ToCurrentValue(&whole, &back), 1);
  const int neededBack = allocations;
  for (int k = 0; k < neededBack; ++k) {
    allocationsLeft = k;
    XLOPER12 to = Poisoned12();
    EXPECT_EQ(ToCurrentValue(&whole, &to), 0) << k;
    EXPECT_TRUE(Untouched(to)) << k;
  }
  ReleaseValue(&whole);
  ReleaseValue12(&back);
}

TEST_F(Conversion, AFailingThirdElementReleasesTheFirstTwo) {
  std::u16string ok(1, u'\u0001');
  ok += u'a';
  std::u16string tooLong(300, u'z');
  tooLong[0] = 299;
  XLOPER12 elements[3] = {Cur(xl::kStr), Cur(xl::kStr), Cur(xl::kStr)};
  elements[0].val.str = ok.data();
  elements[1].val.str = ok.data();
  elements[2].val.str = tooLong.data();
  XLOPER12 from = Cur(xl::kMulti);
  from.val.array = {elements, 1, 3};
  XLOPER to = Poisoned();
  EXPECT_EQ(ToLegacyValue(&from, &to), 0);
  EXPECT_TRUE(Untouched(to));  // the leak check of the sanitizer run does the rest
}

TEST_F(Conversion, RoundTripsOfValuesBothFamiliesHold) {
  Nested nested;
  XLOPER legacy{};
  ASSERT_EQ(ToLegacyValue(&nested.value, &legacy), 1);
  XLOPER12 current{};
  ASSERT_EQ(ToCurrentValue(&legacy, &current), 1);
  XLOPER again{};
  ASSERT_EQ(ToLegacyValue(&current, &again), 1);
  // current -> legacy -> current gives the nested value back.
  ASSERT_EQ(current.xltype, xl::kMulti);
  const XLOPER12* o = current.val.array.lparray;
  EXPECT_EQ(std::u16string(o[0].val.str, 4), nested.text);
  EXPECT_TRUE(SameBlock(o[1].val.mref.lpmref, &nested.block));
  EXPECT_EQ(o[2].val.array.lparray[1].val.num, 2.5);
  EXPECT_EQ(std::memcmp(o[3].val.bigdata.h.lpbData, nested.bytes, 4), 0);
  // legacy -> current -> legacy gives the legacy value back.
  EXPECT_EQ(std::string(again.val.array.lparray[0].val.str, 4), std::string(legacy.val.array.lparray[0].val.str, 4));
  EXPECT_EQ(again.val.array.lparray[2].val.array.columns, 2);
  ReleaseValue(&legacy);
  ReleaseValue12(&current);
  ReleaseValue(&again);
}

TEST_F(Conversion, ReleaseLeavesOtherTagsAlone) {
  XLOPER12 number = Cur(xl::kNum);
  number.val.num = 1;
  ReleaseValue12(&number);
  EXPECT_EQ(number.val.num, 1);
  XLOPER12 flagged = Cur(xl::kStr | xl::kHostFrees);  // any further bit: nothing is freed
  XCHAR text[] = {0};
  flagged.val.str = text;
  ReleaseValue12(&flagged);
}

// An array record with no elements but an array pointer gives the array back
// (a leak under valgrind and LeakSanitizer otherwise).
TEST_F(Conversion, ReleaseFreesAnArrayWithoutElements) {
  const std::int32_t dimensions[][2] = {{0, 3}, {3, 0}, {0, 0}, {-1, 2}, {2, -5}};
  for (const auto& d : dimensions) {
    XLOPER12 current = Cur(xl::kMulti);
    current.val.array.lparray = static_cast<XLOPER12*>(std::malloc(sizeof(XLOPER12)));
    current.val.array.rows = d[0];
    current.val.array.columns = d[1];
    ReleaseValue12(&current);
    XLOPER legacy = Leg(xl::kMulti);
    legacy.val.array.lparray = static_cast<XLOPER*>(std::malloc(sizeof(XLOPER)));
    legacy.val.array.rows = static_cast<std::uint16_t>(d[0] > 0 ? d[0] : 0);
    legacy.val.array.columns = static_cast<std::uint16_t>(d[1] > 0 ? d[1] : 0);
    ReleaseValue(&legacy);
  }
}

// A code page in which a character is not one byte writes fewer bytes than
// characters: the rest of the new text must not be whatever the heap held.
int HalfToAnsi(const XCHAR* src, int n, char* dst) {
  for (int i = 0; i < n / 2; ++i) dst[i] = static_cast<char>(src[i]);
  return n / 2;
}
int HalfToWide(const char* src, int n, XCHAR* dst) {
  for (int i = 0; i < n / 2; ++i) dst[i] = static_cast<unsigned char>(src[i]);
  return n / 2;
}
void* Dirty(std::size_t bytes) {
  void* p = std::malloc(bytes);
  if (p != nullptr) std::memset(p, 0xAB, bytes);
  return p;
}

TEST_F(Conversion, TextsOfMultiByteCodePagesAreClearedBeyondWhatWasWritten) {
  SetConversionAllocator(&Dirty);
  SetCodePageConverters(&HalfToAnsi, &HalfToWide);
  const XCHAR wide[] = {6, 'a', 'b', 'c', 'd', 'e', 'f', 0};
  XLOPER12 current = Cur(xl::kStr);
  current.val.str = const_cast<XCHAR*>(wide);
  XLOPER legacy = Poisoned();
  ASSERT_EQ(ToLegacyValue(&current, &legacy), 1);
  EXPECT_EQ(std::string(legacy.val.str, 8), std::string("\6abc\0\0\0\0", 8));  // count stays 6
  XLOPER12 back = Poisoned12();
  ASSERT_EQ(ToCurrentValue(&legacy, &back), 1);
  EXPECT_EQ(std::u16string(reinterpret_cast<const char16_t*>(back.val.str), 8), std::u16string(u"\6abc\0\0\0\0", 8));
  SetCodePageConverters(nullptr, nullptr);
  ReleaseValue(&legacy);
  ReleaseValue12(&back);
}

// Values that would convert into a record with a lost pointer, and error codes
// outside 0..65535, are refused with the destination untouched.
TEST_F(Conversion, UnusableTagsAndErrorCodesAreRefused) {
  XCHAR wide[] = {1, 'x', 0};
  char narrow[] = {1, 'x', 0};
  for (std::uint32_t tag : {0x10000u | xl::kStr, 0x10000u | xl::kRef, 0x10000u | xl::kMulti,
                            0x10000u | xl::kBigData, xl::kStr | xl::kHostFrees, xl::kMulti | xl::kAddInFrees,
                            xl::kRef | xl::kHostFrees, xl::kBigData | xl::kAddInFrees}) {
    XLOPER12 current = Cur(tag);
    current.val.str = wide;
    XLOPER legacy = Poisoned();
    EXPECT_EQ(ToLegacyValue(&current, &legacy), 0) << std::hex << tag;
    EXPECT_TRUE(Untouched(legacy)) << std::hex << tag;
    if (tag > 0xFFFF) continue;
    XLOPER from = Leg(static_cast<std::uint16_t>(tag));
    from.val.str = narrow;
    XLOPER12 to = Poisoned12();
    EXPECT_EQ(ToCurrentValue(&from, &to), 0) << std::hex << tag;
    EXPECT_TRUE(Untouched(to)) << std::hex << tag;
  }
  for (std::int32_t code : {-1, -65536, 65536}) {
    XLOPER12 error = Cur(xl::kErr);
    error.val.err = code;
    XLOPER legacy = Poisoned();
    EXPECT_EQ(ToLegacyValue(&error, &legacy), 0) << code;
    EXPECT_TRUE(Untouched(legacy));
  }
  // Flags on a type without a pointer still convert as before.
  XLOPER12 number = Cur(xl::kNum | xl::kHostFrees);
  XLOPER legacy = Poisoned();
  EXPECT_EQ(ToLegacyValue(&number, &legacy), 1);
  EXPECT_EQ(legacy.xltype, xl::kNum | xl::kHostFrees);
}

}  // namespace
