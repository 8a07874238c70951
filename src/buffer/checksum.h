#pragma once

#include <cstdint>
#include <span>
#include <string>
#include <vector>

#include "buffer/address_range.h"

namespace zav {

class MemoryBuffer;

// The two checks a part's content is compared by: the CRC-32 of IEEE 802.3 (as zip and
// Ethernet compute it) and the 16-bit sum of the bytes.
struct Checksums {
    std::uint32_t crc32 = 0;
    std::uint16_t sum16 = 0;
    bool operator==(const Checksums&) const = default;
};

// Continues `crc` (0 to start) over `bytes`, so ranges can be fed one after the other.
[[nodiscard]] std::uint32_t Crc32(std::span<const std::uint8_t> bytes, std::uint32_t crc = 0);
[[nodiscard]] Checksums ChecksumsOf(std::span<const std::uint8_t> bytes);
// Over the buffer's cells of the ranges, in the order given.
[[nodiscard]] Checksums BufferChecksums(const MemoryBuffer& buffer, const std::vector<AddressRange>& ranges);
// "crc32 0x1234ABCD sum16 0x0F3C".
[[nodiscard]] std::string ChecksumsText(const Checksums& checksums);
// "CRC-32 0x1234ABCD  Sum16 0x0F3C": how the windows show them.
[[nodiscard]] std::string ChecksumsCaption(const Checksums& checksums);

} // namespace zav
