// Temporary value builders over the calling thread's scratch pool.
//
// Pieces follow each other without gaps, so a record may lie at any address:
// records are composed locally and copied into their piece byte-wise, never
// written through a possibly misaligned pointer.
#include <cstring>

#include "host/bridge.h"
#include "host/legacy_call.h"
#include "host/scratch.h"

namespace host {
namespace {

constexpr std::size_t kLegacyTextMax = 255;

template <typename Record>
Record* Place(void* piece, const Record& record) {
  std::memcpy(piece, &record, sizeof record);
  return static_cast<Record*>(piece);
}

// Composes a record in a fresh piece of `sizeof(Record)` bytes.
template <typename Record, typename Fill>
Record* BuildWith(std::uint32_t type, Fill fill) {
  void* piece = ScratchAlloc(sizeof(Record));
  if (piece == nullptr) return nullptr;
  Record r{};
  fill(r);
  r.xltype = static_cast<decltype(r.xltype)>(type);
  return Place(piece, r);
}

}  // namespace

int WideLength(const XCHAR* text) {
  if (text == nullptr) return 0;
  int n = 0;
  while (text[n] != 0) ++n;
  return n;
}

// --- Legacy family ---

XLOPER* ScratchNumber(double value) {
  return BuildWith<XLOPER>(xl::kNum, [&](XLOPER& r) { r.val.num = value; });
}

XLOPER* ScratchTextInPlace(char* buffer) {
  const std::size_t length = std::strlen(buffer + 1);
  if (length > kLegacyTextMax) return nullptr;  // a count byte cannot hold it
  XLOPER* record = BuildWith<XLOPER>(xl::kStr, [&](XLOPER& r) { r.val.str = buffer; });
  if (record != nullptr) buffer[0] = static_cast<char>(length);
  return record;
}

XLOPER* ScratchText(const char* text) {
  const std::size_t length = std::strlen(text);
  if (length > kLegacyTextMax) return nullptr;  // a count byte cannot hold it
  auto* piece = static_cast<unsigned char*>(ScratchAlloc(sizeof(XLOPER) + 1 + length));
  if (piece == nullptr) return nullptr;
  unsigned char* counted = piece + sizeof(XLOPER);
  counted[0] = static_cast<unsigned char>(length);
  std::memcpy(counted + 1, text, length);
  XLOPER r{};
  r.val.str = reinterpret_cast<char*>(counted);
  r.xltype = xl::kStr;
  return Place(piece, r);
}

XLOPER* ScratchBool(std::int32_t value) {
  return BuildWith<XLOPER>(xl::kBool, [&](XLOPER& r) { r.val.xbool = value != 0 ? 1 : 0; });
}

XLOPER* ScratchInt(std::int16_t value) {
  return BuildWith<XLOPER>(xl::kInt, [&](XLOPER& r) { r.val.w = value; });
}

XLOPER* ScratchError(std::uint16_t code) {
  return BuildWith<XLOPER>(xl::kErr, [&](XLOPER& r) { r.val.err = code; });
}

XLOPER* ScratchMissing() {
  return BuildWith<XLOPER>(xl::kMissing, [](XLOPER&) {});
}

XLOPER* ScratchSheetRef(std::uint16_t rwFirst, std::uint16_t rwLast, std::uint8_t colFirst,
                        std::uint8_t colLast) {
  void* record = ScratchAlloc(sizeof(XLOPER));
  void* block = record != nullptr ? ScratchAlloc(sizeof(XLMREF)) : nullptr;
  if (block == nullptr) return nullptr;
  const LegacyVariadicCall call = LegacyVariadic();
  if (call == nullptr) return nullptr;
  if (call(xl::kSheetId, static_cast<XLOPER*>(record), 0) != xl::kRetSuccess) return nullptr;
  XLOPER r;
  std::memcpy(&r, record, sizeof r);  // keeps the sheet identifier the host wrote
  r.val.mref.lpmref = static_cast<XLMREF*>(block);
  r.xltype = xl::kRef;
  const XLMREF m{1, {{rwFirst, rwLast, colFirst, colLast}}};
  std::memcpy(block, &m, sizeof m);
  return Place(record, r);
}

XLOPER* ScratchSheetCell(std::uint16_t row, std::uint8_t column) {
  return ScratchSheetRef(row, row, column, column);
}

XLOPER* ScratchSheetRow(std::uint16_t row) {
  return ScratchSheetRef(row, row, 0, static_cast<std::uint8_t>(xl::kLegacyLastColumn));
}

XLOPER* ScratchSheetColumn(std::uint8_t column) {
  return ScratchSheetRef(0, static_cast<std::uint16_t>(xl::kLegacyLastRow), column, column);
}

// --- Current family ---

XLOPER12* ScratchNumber12(double value) {
  return BuildWith<XLOPER12>(xl::kNum, [&](XLOPER12& r) { r.val.num = value; });
}

XLOPER12* ScratchText12(const XCHAR* text) {
  const int length = WideLength(text);
  const std::size_t bytes = sizeof(XLOPER12) + 2 * (static_cast<std::size_t>(length) + 1);
  auto* piece = static_cast<unsigned char*>(ScratchAlloc(bytes));
  if (piece == nullptr) return nullptr;
  unsigned char* counted = piece + sizeof(XLOPER12);
  const auto count = static_cast<XCHAR>(length);
  std::memcpy(counted, &count, sizeof count);
  if (length > 0) std::memcpy(counted + sizeof(XCHAR), text, sizeof(XCHAR) * static_cast<std::size_t>(length));
  XLOPER12 r{};
  r.val.str = reinterpret_cast<XCHAR*>(counted);
  r.xltype = xl::kStr;
  return Place(piece, r);
}

XLOPER12* ScratchBool12(std::int32_t value) {
  return BuildWith<XLOPER12>(xl::kBool, [&](XLOPER12& r) { r.val.xbool = value != 0 ? 1 : 0; });
}

XLOPER12* ScratchInt12(std::int32_t value) {
  return BuildWith<XLOPER12>(xl::kInt, [&](XLOPER12& r) { r.val.w = value; });
}

XLOPER12* ScratchError12(std::int32_t code) {
  return BuildWith<XLOPER12>(xl::kErr, [&](XLOPER12& r) { r.val.err = code; });
}

XLOPER12* ScratchMissing12() {
  return BuildWith<XLOPER12>(xl::kMissing, [](XLOPER12&) {});
}

XLOPER12* ScratchSheetRef12(std::int32_t rwFirst, std::int32_t rwLast, std::int32_t colFirst,
                            std::int32_t colLast) {
  void* record = ScratchAlloc(sizeof(XLOPER12));
  void* block = record != nullptr ? ScratchAlloc(sizeof(XLMREF12)) : nullptr;
  if (block == nullptr) return nullptr;
  if (HostCall(xl::kSheetId, static_cast<XLOPER12*>(record), 0) != xl::kRetSuccess)
    return nullptr;
  XLOPER12 r;
  std::memcpy(&r, record, sizeof r);  // keeps the sheet identifier the host wrote
  r.val.mref.lpmref = static_cast<XLMREF12*>(block);
  r.xltype = xl::kRef;
  const XLMREF12 m{1, {{rwFirst, rwLast, colFirst, colLast}}};
  std::memcpy(block, &m, sizeof m);
  return Place(record, r);
}

XLOPER12* ScratchSheetCell12(std::int32_t row, std::int32_t column) {
  return ScratchSheetRef12(row, row, column, column);
}

XLOPER12* ScratchSheetRow12(std::int32_t row) {
  return ScratchSheetRef12(row, row, 0, xl::kLastColumn12);
}

XLOPER12* ScratchSheetColumn12(std::int32_t column) {
  return ScratchSheetRef12(0, xl::kLastRow12, column, column);
}

}  // namespace host
