// The x87 unit's control word, as a host process may leave it: some libraries
// loaded into a 32-bit spreadsheet set 24-bit precision or another rounding.
#pragma once

#include <cstdint>

namespace testing_support {

// Precision control 24 bits (bits 8-9 = 00) and rounding toward zero
// (bits 10-11 = 11), all exceptions masked.
inline constexpr std::uint16_t kX87Single24TowardZero = 0x0C7F;

inline std::uint16_t X87ControlWord() {
  std::uint16_t cw;
  asm volatile("fnstcw %0" : "=m"(cw));
  return cw;
}

inline void SetX87ControlWord(std::uint16_t cw) { asm volatile("fldcw %0" : : "m"(cw)); }

// Runs `f` with the x87 control word set to `cw`, then restores it.
template <typename F>
auto WithX87ControlWord(std::uint16_t cw, F f) {
  const std::uint16_t saved = X87ControlWord();
  SetX87ControlWord(cw);
  auto result = f();
  SetX87ControlWord(saved);
  return result;
}

}  // namespace testing_support
