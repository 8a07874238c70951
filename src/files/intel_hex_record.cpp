#include "files/intel_hex_record.h"

#include <algorithm>
#include <array>

#include "files/record_hex.h"

namespace zav {

namespace {

constexpr std::size_t kDataPosition = 9; // ":", count, address and type
constexpr std::size_t kShortestLine = 11;

// The value of each character as a hex digit of either case, or -1.
constexpr std::array<std::int8_t, 256> kAnyCaseDigitValue = [] {
    std::array<std::int8_t, 256> values = record_hex::kDigitValue;
    for (int i = 10; i < 16; ++i)
        values[static_cast<unsigned char>('a' + i - 10)] = static_cast<std::int8_t>(i);
    return values;
}();

bool ReadPair(std::string_view line, std::size_t position, std::uint8_t& value, unsigned& sum)
{
    return record_hex::ReadPair(line, position, value, sum, kAnyCaseDigitValue);
}

} // namespace

bool ParseIntelHexLine(std::string_view line, IntelHexRecord& record)
{
    const std::string_view text = record_hex::StripLeadingControls(line);
    if (text.size() < kShortestLine || text[0] != ':') return false;

    unsigned sum = 0;
    std::uint8_t count = 0;
    std::uint8_t addressHigh = 0;
    std::uint8_t addressLow = 0;
    if (!ReadPair(text, 1, count, sum) || !ReadPair(text, 3, addressHigh, sum) ||
        !ReadPair(text, 5, addressLow, sum) || !ReadPair(text, 7, record.type, sum)) {
        return false;
    }
    if (kDataPosition + 2 * (std::size_t{count} + 1) > text.size()) return false;
    record.address = static_cast<std::uint16_t>(addressHigh << 8 | addressLow);
    record.data.resize(count);
    for (std::size_t i = 0; i < count; ++i) {
        if (!ReadPair(text, kDataPosition + 2 * i, record.data[i], sum)) return false;
    }
    std::uint8_t checksum = 0;
    if (!ReadPair(text, kDataPosition + 2 * std::size_t{count}, checksum, sum)) return false;
    return (sum & 0xFFU) == 0;
}

void AppendIntelHexLine(std::string& out, IntelHexType type, std::uint16_t address,
                        std::span<const std::uint8_t> data)
{
    using record_hex::PutBigEndian;
    const std::span<const std::uint8_t> written = data.first(std::min(data.size(), kMaxIntelHexData));
    const std::size_t start = out.size();
    out.resize(start + 1 + 2 * (4 + written.size() + 1));
    char* position = out.data() + start;
    *position++ = ':';
    unsigned sum = 0;
    position = PutBigEndian(position, static_cast<std::uint32_t>(written.size()), 1, sum);
    position = PutBigEndian(position, address, 2, sum);
    position = PutBigEndian(position, static_cast<std::uint32_t>(type), 1, sum);
    for (const std::uint8_t byte : written) position = PutBigEndian(position, byte, 1, sum);
    // The two's complement, so that every byte of the record sums to zero.
    unsigned ignored = 0;
    PutBigEndian(position, (0x100U - (sum & 0xFFU)) & 0xFFU, 1, ignored);
}

std::string FormatIntelHexLine(IntelHexType type, std::uint16_t address, std::span<const std::uint8_t> data)
{
    std::string line;
    line.reserve(11 + 2 * data.size());
    AppendIntelHexLine(line, type, address, data);
    return line;
}

} // namespace zav
