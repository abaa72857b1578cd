// Per-thread scratch pools and the temporary value builders.
//
// Every thread that makes host requests owns one pool of 10240 bytes; pieces
// are handed out by advancing a fill level and given back all at once by a
// release (done by every call-and-release).  Builders make one ready-to-pass
// record in the calling thread's pool and return it, or null when the pool
// has no room.
#pragma once

#include <cstddef>
#include <cstdint>

#include "host/records.h"

namespace host {

inline constexpr std::size_t kScratchPoolBytes = 10240;

void* ScratchAlloc(std::size_t size);
void ScratchRelease();
void ScratchReleaseAll();    // the legacy family's name for ScratchRelease
void ScratchReleaseAll12();  // the current family's name for ScratchRelease

// Frees the table and every block whose pieces are all given back; the next
// pool operation makes a new table.  Called when the library is unloaded, so
// that a host that unloads and reloads the add-in does not lose the pools'
// memory each time; on POSIX also at the end of the process, when another
// thread may still hold pieces: those blocks stay valid.
void ScratchTeardown();

// The calling thread's fill level (0 when it has no pool); for tests.
std::size_t ScratchFillLevel();
// Number of slots in use and capacity of the pool table; for tests.
int ScratchTableCount();
int ScratchTableCapacity();

// Length of a zero-terminated wide text in characters; 0 for null.
int WideLength(const XCHAR* text);

// --- Legacy builders ---
XLOPER* ScratchNumber(double value);
XLOPER* ScratchTextInPlace(char* buffer);  // buffer: placeholder byte, then text
XLOPER* ScratchText(const char* text);
XLOPER* ScratchBool(std::int32_t value);
XLOPER* ScratchInt(std::int16_t value);
XLOPER* ScratchError(std::uint16_t code);
XLOPER* ScratchMissing();
XLOPER* ScratchSheetRef(std::uint16_t rwFirst, std::uint16_t rwLast, std::uint8_t colFirst,
                        std::uint8_t colLast);
XLOPER* ScratchSheetCell(std::uint16_t row, std::uint8_t column);
XLOPER* ScratchSheetRow(std::uint16_t row);
XLOPER* ScratchSheetColumn(std::uint8_t column);

// --- Current builders ---
XLOPER12* ScratchNumber12(double value);
XLOPER12* ScratchText12(const XCHAR* text);
XLOPER12* ScratchBool12(std::int32_t value);
XLOPER12* ScratchInt12(std::int32_t value);
XLOPER12* ScratchError12(std::int32_t code);
XLOPER12* ScratchMissing12();
XLOPER12* ScratchSheetRef12(std::int32_t rwFirst, std::int32_t rwLast, std::int32_t colFirst,
                            std::int32_t colLast);
XLOPER12* ScratchSheetCell12(std::int32_t row, std::int32_t column);
XLOPER12* ScratchSheetRow12(std::int32_t row);
XLOPER12* ScratchSheetColumn12(std::int32_t column);

}  // namespace host
