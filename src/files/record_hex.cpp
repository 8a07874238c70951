#include "files/record_hex.h"

#include "buffer/numeric_helpers.h"

namespace zav::record_hex {

std::string_view StripLeadingControls(std::string_view line)
{
    std::size_t first = 0;
    while (first < line.size() && static_cast<unsigned char>(line[first]) <= 32) ++first;
    return line.substr(first);
}

char UpperCaseAscii(char c)
{
    return (c >= 'a' && c <= 'z') ? static_cast<char>(c - 'a' + 'A') : c;
}

bool ReadPair(std::string_view line, std::size_t position, std::uint8_t& value, unsigned& sum)
{
    if (position + 1 >= line.size()) return false;
    if (!ParseHexPair(line[position], line[position + 1], value)) return false;
    sum += value;
    return true;
}

void AppendBigEndian(std::string& out, std::uint32_t value, int byteCount, unsigned& sum)
{
    for (int shift = (byteCount - 1) * 8; shift >= 0; shift -= 8) {
        const unsigned byte = (value >> shift) & 0xFFU;
        out.push_back(HexDigit(static_cast<int>(byte >> 4)));
        out.push_back(HexDigit(static_cast<int>(byte)));
        sum += byte;
    }
}

} // namespace zav::record_hex
