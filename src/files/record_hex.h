#pragma once

#include <algorithm>
#include <array>
#include <cstddef>
#include <cstdint>
#include <span>
#include <string>
#include <string_view>

#include "buffer/hex_digits.h"
#include "files/file_record.h"

// Pieces the X and S record readers and writers share. The digit rules are those of
// HexDigit and ParseHexPair (upper case only); they are inlined here because a 64 KiB file
// runs them a quarter of a million times.
namespace zav::record_hex {

inline constexpr std::string_view kUpperDigits = kUpperHexDigits;

// The value of each character as an upper-case hex digit, or -1.
inline constexpr std::array<std::int8_t, 256> kDigitValue = [] {
    std::array<std::int8_t, 256> values{};
    values.fill(-1);
    for (std::size_t i = 0; i < kUpperDigits.size(); ++i) {
        values[static_cast<unsigned char>(kUpperDigits[i])] = static_cast<std::int8_t>(i);
    }
    return values;
}();

// Characters of code 32 or less in front of a record are not part of it.
[[nodiscard]] inline std::string_view StripLeadingControls(std::string_view line)
{
    std::size_t first = 0;
    while (first < line.size() && static_cast<unsigned char>(line[first]) <= 32) ++first;
    return line.substr(first);
}

// Only ASCII letters change, so the result never depends on a locale.
[[nodiscard]] inline char UpperCaseAscii(char c)
{
    return (c >= 'a' && c <= 'z') ? static_cast<char>(c - 'a' + 'A') : c;
}

// Reads the pair at `position` (upper-case digits only, unless `digitValue` accepts more)
// and adds its value to `sum`.
[[nodiscard]] inline bool ReadPair(std::string_view line, std::size_t position, std::uint8_t& value, unsigned& sum,
                                   const std::array<std::int8_t, 256>& digitValue = kDigitValue)
{
    if (position + 1 >= line.size()) return false;
    const int high = digitValue[static_cast<unsigned char>(line[position])];
    const int low = digitValue[static_cast<unsigned char>(line[position + 1])];
    if ((high | low) < 0) return false;
    value = static_cast<std::uint8_t>(high << 4 | low);
    sum += value;
    return true;
}

// The ones' complement of the low 8 bits of the sum.
[[nodiscard]] inline std::uint8_t Checksum(unsigned sum)
{
    return static_cast<std::uint8_t>(~sum & 0xFFU);
}

// Reads one record line: the type ("S1", "X7"), a count of `countBytes` bytes, an address
// of `addressBytes(type)` bytes, the data and the checksum, the count covering the last
// three. Leading characters of code 32 or less are skipped and anything after the checksum
// is ignored. On success `record` holds the upper-cased type, the address and the data.
[[nodiscard]] inline bool ReadRecordLine(std::string_view line, std::size_t shortestLine, std::size_t countBytes,
                                         std::size_t (*addressBytes)(std::string_view type), FileRecord& record)
{
    const std::string_view text = StripLeadingControls(line);
    if (text.size() < shortestLine) return false;
    record.type.assign({UpperCaseAscii(text[0]), UpperCaseAscii(text[1])});

    unsigned sum = 0;
    std::size_t count = 0;
    for (std::size_t i = 0; i < countBytes; ++i) {
        std::uint8_t byte = 0;
        if (!ReadPair(text, 2 + 2 * i, byte, sum)) return false;
        count = count << 8 | byte;
    }
    const std::size_t addressPosition = 2 + 2 * countBytes;
    const std::size_t addressLength = addressBytes(record.type);
    if (count < addressLength + 1 || 2 * count > text.size() - addressPosition) return false;

    std::uint32_t address = 0;
    for (std::size_t i = 0; i < addressLength; ++i) {
        std::uint8_t byte = 0;
        if (!ReadPair(text, addressPosition + 2 * i, byte, sum)) return false;
        address = address << 8 | byte;
    }
    record.address = address;

    const std::size_t dataPosition = addressPosition + 2 * addressLength;
    const std::size_t dataCount = count - addressLength - 1;
    record.data.resize(dataCount);
    for (std::size_t i = 0; i < dataCount; ++i) {
        if (!ReadPair(text, dataPosition + 2 * i, record.data[i], sum)) return false;
    }
    std::uint8_t checksum = 0;
    unsigned ignored = 0;
    if (!ReadPair(text, dataPosition + 2 * dataCount, checksum, ignored)) return false;
    return checksum == Checksum(sum);
}

// Writes the value's `byteCount` low bytes at `out`, most significant first, as upper-case
// pairs, adds each byte to `sum` and returns the position after them.
inline char* PutBigEndian(char* out, std::uint32_t value, int byteCount, unsigned& sum)
{
    for (int shift = (byteCount - 1) * 8; shift >= 0; shift -= 8) {
        const unsigned byte = (value >> shift) & 0xFFU;
        *out++ = kUpperDigits[byte >> 4];
        *out++ = kUpperDigits[byte & 0x0FU];
        sum += byte;
    }
    return out;
}

// Appends one record: the type, the count, the address, the data and the checksum. The line
// is sized once and filled in place, since a save writes thousands of them.
inline void AppendRecord(std::string& out, std::string_view type, std::uint32_t count, int countBytes,
                         std::uint32_t address, int addressBytes, std::span<const std::uint8_t> data)
{
    const std::size_t start = out.size();
    out.resize(start + type.size() + 2 * (countBytes + addressBytes + data.size() + 1));
    char* position = std::copy(type.begin(), type.end(), out.data() + start);
    unsigned sum = 0;
    position = PutBigEndian(position, count, countBytes, sum);
    position = PutBigEndian(position, address, addressBytes, sum);
    for (const std::uint8_t byte : data) position = PutBigEndian(position, byte, 1, sum);
    unsigned ignored = 0;
    PutBigEndian(position, Checksum(sum), 1, ignored);
}

} // namespace zav::record_hex
