#pragma once

#include <array>
#include <cstdint>

namespace zav {

// The loader sent to the MC68HC05L28 in bootstrap mode before any read or write; the
// target answers its upload with the 8-bit sum of these bytes (0x4D).
extern const std::array<std::uint8_t, 101> LoaderImage;

[[nodiscard]] std::uint8_t LoaderImageSum();

} // namespace zav
