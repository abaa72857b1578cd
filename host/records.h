// The host's value records, reference blocks, type tags, error codes, return
// codes and function numbers, in the host's binary layout.
//
// Two families: the current record (XLOPER12: 32-bit tags and integers,
// counted 16-bit strings) and the legacy record (XLOPER: 16-bit tags and
// integers, byte-counted 8-bit strings).  The layouts below are locked by
// static_asserts against the sizes and offsets measured on the host.
#pragma once

#include <cstddef>
#include <cstdint>

#include "platform/export.h"

// A 16-bit character on every platform (wchar_t is 32 bits on Linux).
using XCHAR = char16_t;
// Sheet identifier: an unsigned integer as wide as a pointer.
using IDSHEET = std::uintptr_t;

// --- Rectangles and reference blocks -------------------------------------------

struct XLREF {  // legacy rectangle, 6 bytes
  std::uint16_t rwFirst;
  std::uint16_t rwLast;
  std::uint8_t colFirst;
  std::uint8_t colLast;
};

struct XLREF12 {  // current rectangle, 16 bytes
  std::int32_t rwFirst;
  std::int32_t rwLast;
  std::int32_t colFirst;
  std::int32_t colLast;
};

struct XLMREF {  // legacy reference block: count, then rectangles
  std::uint16_t count;
  XLREF reftbl[1];
};

struct XLMREF12 {  // current reference block: count, then rectangles
  std::uint16_t count;
  XLREF12 reftbl[1];
};

// --- Value records ---------------------------------------------------------------

struct XLOPER12 {
  union {
    double num;
    XCHAR* str;  // counted: str[0] is the length
    std::int32_t xbool;
    std::int32_t err;
    std::int32_t w;
    struct {
      std::uint16_t count;
      XLREF12 ref;
    } sref;
    struct {
      XLMREF12* lpmref;
      IDSHEET idSheet;
    } mref;
    struct {
      XLOPER12* lparray;
      std::int32_t rows;
      std::int32_t columns;
    } array;
    struct {
      union {
        std::int32_t level;
        std::int32_t tbctrl;
        IDSHEET idSheet;
      } valflow;
      std::int32_t rw;
      std::int32_t col;
      std::uint8_t xlflow;
    } flow;
    struct {
      union {
        std::uint8_t* lpbData;
        void* hdata;
      } h;
      std::int32_t cbData;
    } bigdata;
  } val;
  std::uint32_t xltype;
};

struct XLOPER {
  union {
    double num;
    char* str;  // byte-counted: str[0] is the length
    std::uint16_t xbool;
    std::uint16_t err;
    std::int16_t w;
    struct {
      std::uint16_t count;
      XLREF ref;
    } sref;
    struct {
      XLMREF* lpmref;
      IDSHEET idSheet;
    } mref;
    struct {
      XLOPER* lparray;
      std::uint16_t rows;
      std::uint16_t columns;
    } array;
    struct {
      union {
        std::int16_t level;
        std::int16_t tbctrl;
        IDSHEET idSheet;
      } valflow;
      std::uint16_t rw;
      std::uint8_t col;
      std::uint8_t xlflow;
    } flow;
    struct {
      union {
        std::uint8_t* lpbData;
        void* hdata;
      } h;
      std::int32_t cbData;
    } bigdata;
  } val;
  std::uint16_t xltype;
};

using LPXLOPER12 = XLOPER12*;
using LPXLOPER = XLOPER*;

// --- Type tags, flags, error codes ---------------------------------------------

namespace xl {

inline constexpr std::uint32_t kNum = 0x0001;
inline constexpr std::uint32_t kStr = 0x0002;
inline constexpr std::uint32_t kBool = 0x0004;
inline constexpr std::uint32_t kRef = 0x0008;
inline constexpr std::uint32_t kErr = 0x0010;
inline constexpr std::uint32_t kFlow = 0x0020;
inline constexpr std::uint32_t kMulti = 0x0040;
inline constexpr std::uint32_t kMissing = 0x0080;
inline constexpr std::uint32_t kNil = 0x0100;
inline constexpr std::uint32_t kSRef = 0x0400;
inline constexpr std::uint32_t kInt = 0x0800;
inline constexpr std::uint32_t kBigData = kStr | kInt;  // 2050

inline constexpr std::uint32_t kHostFrees = 0x1000;   // the host frees it
inline constexpr std::uint32_t kAddInFrees = 0x4000;  // the add-in frees it

// The type of a record that the host filled: its tag read through the two
// release flags (a string with either flag is still a string).  Records the
// add-in makes are compared whole.
constexpr std::uint32_t AnswerType(std::uint32_t tag) { return tag & ~(kHostFrees | kAddInFrees); }

inline constexpr std::int32_t kErrNull = 0;
inline constexpr std::int32_t kErrDiv0 = 7;
inline constexpr std::int32_t kErrValue = 15;
inline constexpr std::int32_t kErrRef = 23;
inline constexpr std::int32_t kErrName = 29;
inline constexpr std::int32_t kErrNum = 36;
inline constexpr std::int32_t kErrNA = 42;
inline constexpr std::int32_t kErrGettingData = 43;

// Return codes of a host request.
inline constexpr int kRetSuccess = 0;
inline constexpr int kRetAbort = 1;
inline constexpr int kRetInvXlfn = 2;
inline constexpr int kRetInvCount = 4;
inline constexpr int kRetInvXloper = 8;
inline constexpr int kRetFailed = 32;

// Host function numbers.
inline constexpr int kRegister = 149;      // xlfRegister
inline constexpr int kSetName = 88;        // xlfSetName
inline constexpr int kFree = 16384;        // xlFree
inline constexpr int kCoerce = 16386;      // xlCoerce
inline constexpr int kSheetId = 16388;     // xlSheetId
inline constexpr int kGetName = 16393;     // xlGetName
inline constexpr int kAlert = 32886;       // xlcAlert

// Sheet grids.
inline constexpr std::int32_t kLegacyLastRow = 0xFFFF;
inline constexpr std::int32_t kLegacyLastColumn = 0xFF;
inline constexpr std::int32_t kLastRow12 = 0xFFFFF;
inline constexpr std::int32_t kLastColumn12 = 0x3FFF;

}  // namespace xl

// The host's current-API entry point, "MdCallBack12": (function number,
// argument count, argument array, result record) -> return code.
using HostEntryPoint = int(TORVEN_CALL*)(int function, int count, XLOPER12** args,
                                         XLOPER12* result);

// --- The measured layout ------------------------------------------------------------

static_assert(sizeof(XCHAR) == 2);
static_assert(sizeof(XLREF) == 6 && sizeof(XLREF12) == 16);
static_assert(offsetof(XLMREF, reftbl) == 2 && sizeof(XLMREF) == 8);
static_assert(offsetof(XLMREF12, reftbl) == 4 && sizeof(XLMREF12) == 20);
static_assert(sizeof(XLOPER12) == 32 && offsetof(XLOPER12, xltype) == 24);
static_assert(offsetof(XLOPER12, val.sref.ref) == 4);
static_assert(sizeof(XLOPER12::val.bigdata.cbData) == 4);
static_assert(sizeof(void*) == 8 || sizeof(void*) == 4);
static_assert(sizeof(void*) == 8 ?
                  (offsetof(XLOPER12, val.mref.idSheet) == 8 &&
                   offsetof(XLOPER12, val.array.rows) == 8 &&
                   offsetof(XLOPER12, val.array.columns) == 12 &&
                   offsetof(XLOPER12, val.flow.rw) == 8 && offsetof(XLOPER12, val.flow.col) == 12 &&
                   offsetof(XLOPER12, val.flow.xlflow) == 16)
                             : (offsetof(XLOPER12, val.mref.idSheet) == 4 &&
                                offsetof(XLOPER12, val.array.rows) == 4 &&
                                offsetof(XLOPER12, val.array.columns) == 8 &&
                                offsetof(XLOPER12, val.flow.rw) == 4 &&
                                offsetof(XLOPER12, val.flow.col) == 8 &&
                                offsetof(XLOPER12, val.flow.xlflow) == 12));
static_assert(sizeof(void*) == 8 ?
                  (sizeof(XLOPER) == 24 && offsetof(XLOPER, xltype) == 16 &&
                   offsetof(XLOPER, val.array.rows) == 8 && offsetof(XLOPER, val.array.columns) == 10 &&
                   offsetof(XLOPER, val.flow.rw) == 8 && offsetof(XLOPER, val.flow.col) == 10 &&
                   offsetof(XLOPER, val.flow.xlflow) == 11)
                             : (sizeof(XLOPER) == 16 && offsetof(XLOPER, xltype) == 8 &&
                                offsetof(XLOPER, val.array.rows) == 4 &&
                                offsetof(XLOPER, val.array.columns) == 6 &&
                                offsetof(XLOPER, val.flow.rw) == 4 && offsetof(XLOPER, val.flow.col) == 6 &&
                                offsetof(XLOPER, val.flow.xlflow) == 7));
