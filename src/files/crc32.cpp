#include "files/crc32.h"

#include <array>

namespace zav {

namespace {

constexpr std::array<std::uint32_t, 256> MakeTable()
{
    std::array<std::uint32_t, 256> table{};
    for (std::uint32_t n = 0; n < table.size(); ++n) {
        std::uint32_t c = n;
        for (int bit = 0; bit < 8; ++bit) c = (c & 1U) != 0 ? 0xEDB88320U ^ (c >> 1) : c >> 1;
        table[n] = c;
    }
    return table;
}

constexpr std::array<std::uint32_t, 256> kTable = MakeTable();

} // namespace

std::uint32_t Crc32(std::string_view bytes, std::uint32_t crc)
{
    crc = ~crc;
    for (const char byte : bytes) crc = kTable[(crc ^ static_cast<unsigned char>(byte)) & 0xFFU] ^ (crc >> 8);
    return ~crc;
}

} // namespace zav
