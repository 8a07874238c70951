#pragma once

#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>

// Pieces the X and S record readers and writers share.
namespace zav::record_hex {

// Characters of code 32 or less in front of a record are not part of it.
[[nodiscard]] std::string_view StripLeadingControls(std::string_view line);

// Only ASCII letters change, so the result never depends on a locale.
[[nodiscard]] char UpperCaseAscii(char c);

// Reads the pair at `position` (upper-case digits only) and adds its value to `sum`.
[[nodiscard]] bool ReadPair(std::string_view line, std::size_t position, std::uint8_t& value,
                            unsigned& sum);

// Appends the value's `byteCount` low bytes, most significant first, as upper-case pairs,
// and adds each byte to `sum`.
void AppendBigEndian(std::string& out, std::uint32_t value, int byteCount, unsigned& sum);

// The ones' complement of the low 8 bits of the sum.
[[nodiscard]] inline std::uint8_t Checksum(unsigned sum)
{
    return static_cast<std::uint8_t>(~sum & 0xFFU);
}

} // namespace zav::record_hex
