// Release of heap-owned values and deep conversion between the legacy and the
// current value records.  Strings pass through the system's ANSI code page;
// everything a converted value owns comes from the C heap and is given back
// by ReleaseValue / ReleaseValue12.
#pragma once

#include <cstddef>

#include "host/records.h"

namespace host {

void ReleaseValue(XLOPER* value);
void ReleaseValue12(XLOPER12* value);

// 1 if converted, 0 if refused (the destination is then untouched).
int ToCurrentRect(const XLREF* from, XLREF12* to);
int ToLegacyRect(const XLREF12* from, XLREF* to);

// 1 on success, 0 on failure (destination untouched; nothing leaked).
int ToCurrentValue(const XLOPER* from, XLOPER12* to);
int ToLegacyValue(const XLOPER12* from, XLOPER* to);

// The allocation seam of the conversions: tests replace it to make the k-th
// allocation fail.  Null restores malloc.
using ConversionAllocator = void* (*)(std::size_t bytes);
void SetConversionAllocator(ConversionAllocator allocator);

// The code page seam: tests replace the conversions to act as a code page in
// which a character is not one byte.  Null restores the platform's.
using WideToAnsiConverter = int (*)(const XCHAR* src, int n, char* dst);
using AnsiToWideConverter = int (*)(const char* src, int n, XCHAR* dst);
void SetCodePageConverters(WideToAnsiConverter toAnsi, AnsiToWideConverter toWide);

}  // namespace host
