#include "buffer/checksum.h"

#include <array>
#include <cstdio>

#include "buffer/memory_buffer.h"

namespace zav {

namespace {

// The reflected polynomial 0x04C11DB7, one entry per byte value.
constexpr std::array<std::uint32_t, 256> MakeCrcTable()
{
    std::array<std::uint32_t, 256> table{};
    for (std::uint32_t n = 0; n < 256; ++n) {
        std::uint32_t c = n;
        for (int bit = 0; bit < 8; ++bit) c = (c & 1U) != 0 ? 0xEDB88320U ^ (c >> 1) : c >> 1;
        table[n] = c;
    }
    return table;
}

constexpr std::array<std::uint32_t, 256> kCrcTable = MakeCrcTable();

} // namespace

std::uint32_t Crc32(std::span<const std::uint8_t> bytes, std::uint32_t crc)
{
    crc = ~crc;
    for (const std::uint8_t byte : bytes) crc = kCrcTable[(crc ^ byte) & 0xFFU] ^ (crc >> 8);
    return ~crc;
}

Checksums ChecksumsOf(std::span<const std::uint8_t> bytes)
{
    std::uint32_t sum = 0;
    for (const std::uint8_t byte : bytes) sum += byte;
    return {Crc32(bytes), static_cast<std::uint16_t>(sum & 0xFFFFU)};
}

Checksums BufferChecksums(const MemoryBuffer& buffer, const std::vector<AddressRange>& ranges)
{
    std::vector<std::uint8_t> bytes;
    for (const AddressRange& range : ranges) {
        for (std::int32_t address = range.first; address <= range.last; ++address)
            bytes.push_back(buffer.GetByte(address));
    }
    return ChecksumsOf(bytes);
}

std::string ChecksumsText(const Checksums& checksums)
{
    char text[40];
    std::snprintf(text, sizeof text, "crc32 0x%08X sum16 0x%04X", static_cast<unsigned>(checksums.crc32),
                  static_cast<unsigned>(checksums.sum16));
    return text;
}

std::string ChecksumsCaption(const Checksums& checksums)
{
    char text[40];
    std::snprintf(text, sizeof text, "CRC-32 0x%08X  Sum16 0x%04X", static_cast<unsigned>(checksums.crc32),
                  static_cast<unsigned>(checksums.sum16));
    return text;
}

} // namespace zav
