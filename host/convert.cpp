// Release and legacy/current conversion of value records.
#include "host/convert.h"

#include <cstdint>
#include <cstdlib>
#include <cstring>
#include <limits>

#include "platform/platform.h"

namespace host {
namespace {

ConversionAllocator allocate = std::malloc;
WideToAnsiConverter wideToAnsi = platform::WideToAnsi;
AnsiToWideConverter ansiToWide = platform::AnsiToWide;

constexpr std::int32_t kLegacyRows = 65536;  // rows 0..65535
constexpr std::int32_t kLegacyColumns = 256;  // columns 0..255
constexpr std::int32_t kLegacyTextMax = 255;

// count * size bytes, or false when the product does not fit a size_t.
bool Bytes(std::size_t count, std::size_t size, std::size_t& out) {
  if (size != 0 && count > std::numeric_limits<std::size_t>::max() / size) return false;
  out = count * size;
  return true;
}

template <typename T>
T* AllocateArray(std::size_t count, std::size_t extra = 0) {
  std::size_t bytes;
  if (!Bytes(count, sizeof(T), bytes) || bytes > std::numeric_limits<std::size_t>::max() - extra)
    return nullptr;
  return static_cast<T*>(allocate(bytes + extra));
}

// A reference block of `count` rectangles, allocated for the target family.
template <typename Block, typename Rect>
Block* AllocateBlock(std::uint16_t count) {
  return static_cast<Block*>(allocate(offsetof(Block, reftbl) + sizeof(Rect) * count));
}

// Converts a reference block rectangle by rectangle; null on any refusal
// (the new block is then freed).
template <typename ToBlock, typename ToRect, typename FromBlock, typename Convert>
ToBlock* ConvertBlock(const FromBlock* from, Convert convertRect) {
  auto* block = AllocateBlock<ToBlock, ToRect>(from->count);
  if (block == nullptr) return nullptr;
  block->count = from->count;
  for (std::uint16_t i = 0; i < from->count; ++i) {
    if (!convertRect(&from->reftbl[i], &block->reftbl[i])) {
      std::free(block);
      return nullptr;
    }
  }
  return block;
}

// Converts n elements; on failure releases those converted and frees the array.
template <typename To, typename From, typename Convert, typename Release>
To* ConvertElements(const From* from, std::size_t n, Convert convert, Release release) {
  To* elements = AllocateArray<To>(n);
  if (elements == nullptr) return nullptr;
  for (std::size_t i = 0; i < n; ++i) {
    if (!convert(&from[i], &elements[i])) {
      for (std::size_t k = 0; k < i; ++k) release(&elements[k]);
      std::free(elements);
      return nullptr;
    }
  }
  return elements;
}

// Big data: a copy of the bytes; false when there are none or the heap refuses.
template <typename From, typename To>
bool CopyBigData(const From& from, To& to) {
  const std::uint8_t* bytes = from.val.bigdata.h.lpbData;
  const std::int32_t length = from.val.bigdata.cbData;
  if (bytes == nullptr || length <= 0) return false;
  auto* copy = static_cast<std::uint8_t*>(allocate(static_cast<std::size_t>(length)));
  if (copy == nullptr) return false;
  std::memcpy(copy, bytes, static_cast<std::size_t>(length));
  to.val.bigdata.h.lpbData = copy;
  to.val.bigdata.cbData = length;
  return true;
}

// A reference: a null or empty block becomes a missing value; otherwise the
// block is converted rectangle by rectangle and the sheet kept.
template <typename ToBlock, typename ToRect, typename From, typename To, typename Tag,
          typename ConvertRect>
bool ConvertReference(const From& from, To& to, Tag& tag, ConvertRect convertRect) {
  const auto* block = from.val.mref.lpmref;
  if (block == nullptr || block->count == 0) {
    tag = xl::kMissing;
    return true;
  }
  to.val.mref.lpmref = ConvertBlock<ToBlock, ToRect>(block, convertRect);
  if (to.val.mref.lpmref == nullptr) return false;
  to.val.mref.idSheet = from.val.mref.idSheet;
  return true;
}

// True for a tag that names a pointer-carrying type (text, reference, array,
// big data) but is not exactly that tag: flag bits, or bits above the low 16
// of a current tag.  Such a value cannot be converted: its pointer would be
// lost or dropped.
bool IsUnusablePointerTag(std::uint32_t tag) {
  const std::uint32_t type = xl::AnswerType(tag & 0xFFFFu);
  const bool carriesPointer =
      type == xl::kStr || type == xl::kRef || type == xl::kMulti || type == xl::kBigData;
  return carriesPointer && tag != type;
}

template <typename Record, typename Release>
void ReleaseRecord(Record* value, Release self) {
  switch (value->xltype) {
    case xl::kStr: std::free(value->val.str); break;
    case xl::kRef: std::free(value->val.mref.lpmref); break;
    case xl::kBigData: std::free(value->val.bigdata.h.lpbData); break;
    case xl::kMulti:
      // The elements are released only for positive dimensions; the array
      // itself whenever there is one (also 0 x n or negative dimensions).
      if (value->val.array.lparray != nullptr && value->val.array.rows > 0 &&
          value->val.array.columns > 0) {
        const std::size_t n = static_cast<std::size_t>(value->val.array.rows) *
                              static_cast<std::size_t>(value->val.array.columns);
        for (std::size_t i = 0; i < n; ++i) self(&value->val.array.lparray[i]);
      }
      std::free(value->val.array.lparray);
      break;
    default: break;
  }
}

}  // namespace

void SetConversionAllocator(ConversionAllocator allocator) {
  allocate = allocator != nullptr ? allocator : std::malloc;
}

void SetCodePageConverters(WideToAnsiConverter toAnsi, AnsiToWideConverter toWide) {
  wideToAnsi = toAnsi != nullptr ? toAnsi : platform::WideToAnsi;
  ansiToWide = toWide != nullptr ? toWide : platform::AnsiToWide;
}

void ReleaseValue(XLOPER* value) { ReleaseRecord(value, ReleaseValue); }
void ReleaseValue12(XLOPER12* value) { ReleaseRecord(value, ReleaseValue12); }

int ToCurrentRect(const XLREF* from, XLREF12* to) {
  if (from->rwLast < from->rwFirst || from->colLast < from->colFirst) return 0;
  *to = {from->rwFirst, from->rwLast, from->colFirst, from->colLast};
  return 1;
}

int ToLegacyRect(const XLREF12* from, XLREF* to) {
  if (from->rwLast < from->rwFirst || from->colLast < from->colFirst || from->rwFirst < 0 ||
      from->colFirst < 0 || from->rwLast >= kLegacyRows || from->colLast >= kLegacyColumns)
    return 0;
  *to = {static_cast<std::uint16_t>(from->rwFirst), static_cast<std::uint16_t>(from->rwLast),
         static_cast<std::uint8_t>(from->colFirst), static_cast<std::uint8_t>(from->colLast)};
  return 1;
}

int ToLegacyValue(const XLOPER12* from, XLOPER* to) {
  if (IsUnusablePointerTag(from->xltype)) return 0;
  XLOPER r;
  std::memset(&r, 0, sizeof r);
  std::uint16_t tag = static_cast<std::uint16_t>(from->xltype);
  switch (from->xltype) {
    case xl::kNum: r.val.num = from->val.num; break;
    case xl::kStr: {
      if (from->val.str == nullptr) return 0;
      const int n = from->val.str[0];
      if (n > kLegacyTextMax) return 0;
      auto* text = static_cast<char*>(allocate(static_cast<std::size_t>(n) + 2));
      if (text == nullptr) return 0;
      // Cleared first: where a character is not one byte, the code page
      // conversion writes fewer than n bytes, and the count stays n.
      std::memset(text, 0, static_cast<std::size_t>(n) + 2);
      wideToAnsi(from->val.str + 1, n, text + 1);
      text[0] = static_cast<char>(n);
      text[n + 1] = 0;
      r.val.str = text;
      break;
    }
    case xl::kBool: r.val.xbool = static_cast<std::uint16_t>(from->val.xbool); break;
    case xl::kRef:
      if (!ConvertReference<XLMREF, XLREF>(*from, r, tag, ToLegacyRect)) return 0;
      break;
    case xl::kErr:
      if (from->val.err < 0 || from->val.err > 0xFFFF) return 0;
      r.val.err = static_cast<std::uint16_t>(from->val.err);
      break;
    case xl::kFlow:
      if (from->val.flow.rw < 0 || from->val.flow.rw >= kLegacyRows || from->val.flow.col < 0 ||
          from->val.flow.col >= kLegacyColumns)
        return 0;
      r.val.flow.valflow.idSheet = from->val.flow.valflow.idSheet;
      r.val.flow.rw = static_cast<std::uint16_t>(from->val.flow.rw);
      r.val.flow.col = static_cast<std::uint8_t>(from->val.flow.col);
      r.val.flow.xlflow = from->val.flow.xlflow;
      break;
    case xl::kMulti: {
      const std::int32_t rows = from->val.array.rows, columns = from->val.array.columns;
      if (rows < 0 || rows >= kLegacyRows || columns < 0 || columns > kLegacyColumns) return 0;
      const std::size_t n = static_cast<std::size_t>(rows) * static_cast<std::size_t>(columns);
      if (n == 0) {
        tag = xl::kMissing;
        break;
      }
      if (from->val.array.lparray == nullptr) return 0;  // elements claimed, none given
      r.val.array.lparray =
          ConvertElements<XLOPER>(from->val.array.lparray, n, ToLegacyValue, ReleaseValue);
      if (r.val.array.lparray == nullptr) return 0;
      r.val.array.rows = static_cast<std::uint16_t>(rows);
      r.val.array.columns = static_cast<std::uint16_t>(columns);
      break;
    }
    case xl::kSRef:
      if (from->val.sref.count != 1 || !ToLegacyRect(&from->val.sref.ref, &r.val.sref.ref))
        return 0;
      r.val.sref.count = 1;
      break;
    case xl::kInt:
      if (from->val.w >= -32768 && from->val.w <= 32767) {
        r.val.w = static_cast<std::int16_t>(from->val.w);
      } else {
        r.val.num = static_cast<double>(from->val.w);  // exact in double precision
        tag = xl::kNum;
      }
      break;
    case xl::kBigData:
      if (!CopyBigData(*from, r)) return 0;
      break;
    default: break;  // nothing to copy
  }
  to->val = r.val;
  to->xltype = tag;
  return 1;
}

int ToCurrentValue(const XLOPER* from, XLOPER12* to) {
  if (IsUnusablePointerTag(from->xltype)) return 0;
  XLOPER12 r;
  std::memset(&r, 0, sizeof r);
  std::uint32_t tag = from->xltype;
  switch (from->xltype) {
    case xl::kNum: r.val.num = from->val.num; break;
    case xl::kStr: {
      if (from->val.str == nullptr) return 0;
      const int n = static_cast<unsigned char>(from->val.str[0]);
      XCHAR* text = AllocateArray<XCHAR>(static_cast<std::size_t>(n) + 2);
      if (text == nullptr) return 0;
      std::memset(text, 0, sizeof(XCHAR) * (static_cast<std::size_t>(n) + 2));  // as above
      ansiToWide(from->val.str + 1, n, text + 1);
      text[0] = static_cast<XCHAR>(n);
      text[n + 1] = 0;
      r.val.str = text;
      break;
    }
    case xl::kBool: r.val.xbool = from->val.xbool; break;
    case xl::kRef:
      if (!ConvertReference<XLMREF12, XLREF12>(*from, r, tag, ToCurrentRect)) return 0;
      break;
    case xl::kErr: r.val.err = from->val.err; break;
    case xl::kFlow:
      r.val.flow.valflow.idSheet = from->val.flow.valflow.idSheet;
      r.val.flow.rw = from->val.flow.rw;
      r.val.flow.col = from->val.flow.col;
      r.val.flow.xlflow = from->val.flow.xlflow;
      break;
    case xl::kMulti: {
      if (from->val.array.columns > kLegacyColumns) return 0;
      const std::size_t n = static_cast<std::size_t>(from->val.array.rows) * from->val.array.columns;
      if (n == 0) {
        tag = xl::kMissing;
        break;
      }
      if (from->val.array.lparray == nullptr) return 0;  // elements claimed, none given
      r.val.array.lparray =
          ConvertElements<XLOPER12>(from->val.array.lparray, n, ToCurrentValue, ReleaseValue12);
      if (r.val.array.lparray == nullptr) return 0;
      r.val.array.rows = from->val.array.rows;
      r.val.array.columns = from->val.array.columns;
      break;
    }
    case xl::kSRef:
      if (from->val.sref.count != 1 || !ToCurrentRect(&from->val.sref.ref, &r.val.sref.ref))
        return 0;
      r.val.sref.count = 1;
      break;
    case xl::kInt: r.val.w = from->val.w; break;
    case xl::kBigData:
      if (!CopyBigData(*from, r)) return 0;
      break;
    default: break;  // nothing to copy
  }
  to->val = r.val;
  to->xltype = tag;
  return 1;
}

}  // namespace host
