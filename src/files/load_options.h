#pragma once

#include <cstdint>

namespace zav {

// What a load writes over the buffer before it reads the file.
enum class ClearMode { None, Zeros, Ones };

// Which file addresses a load takes and where they land in the buffer.
struct LoadOptions {
    // Inclusive range of file addresses taken from the file; never reversed.
    std::uint32_t lowFileAddress = 0x000000;
    std::uint32_t highFileAddress = 0xFFFFFF;
    // Added to a file address to give the buffer address.
    std::int32_t offset = 0;
    ClearMode clearMode = ClearMode::None;
};

} // namespace zav
