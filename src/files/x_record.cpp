#include "files/x_record.h"

#include <algorithm>

#include "files/record_hex.h"

namespace zav {

namespace {

constexpr std::size_t kTypeAndCountLength = 6; // "X7" and four count digits
constexpr std::size_t kAddressPosition = 6;
constexpr std::size_t kDataPosition = 12;
constexpr std::size_t kShortestLine = 14;
constexpr unsigned kAddressAndChecksumBytes = 4;

} // namespace

bool ParseXLine(std::string_view line, FileRecord& record)
{
    using namespace record_hex;
    const std::string_view text = StripLeadingControls(line);
    if (text.size() < kShortestLine) return false;
    record.type.assign({UpperCaseAscii(text[0]), UpperCaseAscii(text[1])});

    unsigned sum = 0;
    std::uint8_t countHigh = 0;
    std::uint8_t countLow = 0;
    if (!ReadPair(text, 2, countHigh, sum) || !ReadPair(text, 4, countLow, sum)) return false;
    const std::size_t count = static_cast<std::size_t>(countHigh) << 8 | countLow;
    if (count < kAddressAndChecksumBytes || 2 * count > text.size() - kTypeAndCountLength) return false;

    std::uint32_t address = 0;
    for (std::size_t i = 0; i < 3; ++i) {
        std::uint8_t byte = 0;
        if (!ReadPair(text, kAddressPosition + 2 * i, byte, sum)) return false;
        address = address << 8 | byte;
    }
    record.address = address;

    const std::size_t dataCount = count - kAddressAndChecksumBytes;
    record.data.resize(dataCount);
    for (std::size_t i = 0; i < dataCount; ++i) {
        if (!ReadPair(text, kDataPosition + 2 * i, record.data[i], sum)) return false;
    }
    std::uint8_t checksum = 0;
    unsigned ignored = 0;
    if (!ReadPair(text, kDataPosition + 2 * dataCount, checksum, ignored)) return false;
    return checksum == Checksum(sum);
}

void AppendXLine(std::string& out, std::string_view type, std::uint32_t address,
                 std::span<const std::uint8_t> data)
{
    const std::span<const std::uint8_t> written = data.first(std::min(data.size(), kMaxXRecordData));
    record_hex::AppendRecord(out, type, static_cast<std::uint32_t>(written.size() + kAddressAndChecksumBytes),
                             2, address & 0xFFFFFFU, 3, written);
}

std::string FormatXLine(std::string_view type, std::uint32_t address, std::span<const std::uint8_t> data)
{
    std::string line;
    line.reserve(type.size() + 14 + 2 * data.size());
    AppendXLine(line, type, address, data);
    return line;
}

} // namespace zav
