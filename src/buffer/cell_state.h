#pragma once

#include <cstdint>

namespace zav {

// One state byte per cell: bits 0-5 the text colour's palette index, then two flags.
namespace CellState {
inline constexpr std::uint8_t kColourMask = 0x3F;
inline constexpr std::uint8_t kUnimplemented = 0x40; // outside the selected device's memory map
inline constexpr std::uint8_t kReadOnly = 0x80;      // editing may not change the cell
inline constexpr std::uint8_t kInitial = 0x30;       // blue level 3: HE_NOFIX_COLOR, implemented, writable
} // namespace CellState

} // namespace zav
