#include "files/s_record.h"

#include <algorithm>

#include "files/record_hex.h"

namespace zav {

namespace {

constexpr std::size_t kTypeAndCountLength = 4; // "S1" and two count digits
constexpr std::size_t kShortestLine = 10;

bool HasWideAddress(std::string_view type)
{
    return type == "S2" || type == "S8";
}

} // namespace

bool ParseSLine(std::string_view line, FileRecord& record)
{
    using namespace record_hex;
    const std::string_view text = StripLeadingControls(line);
    if (text.size() < kShortestLine) return false;
    record.type.assign({UpperCaseAscii(text[0]), UpperCaseAscii(text[1])});

    unsigned sum = 0;
    std::uint8_t count = 0;
    if (!ReadPair(text, 2, count, sum)) return false;
    const std::size_t addressBytes = HasWideAddress(record.type) ? 3 : 2;
    if (count < addressBytes + 1 || 2 * std::size_t{count} > text.size() - kTypeAndCountLength) return false;

    std::uint32_t address = 0;
    for (std::size_t i = 0; i < addressBytes; ++i) {
        std::uint8_t byte = 0;
        if (!ReadPair(text, kTypeAndCountLength + 2 * i, byte, sum)) return false;
        address = address << 8 | byte;
    }
    record.address = address;

    const std::size_t dataPosition = kTypeAndCountLength + 2 * addressBytes;
    const std::size_t dataCount = count - addressBytes - 1;
    record.data.resize(dataCount);
    for (std::size_t i = 0; i < dataCount; ++i) {
        if (!ReadPair(text, dataPosition + 2 * i, record.data[i], sum)) return false;
    }
    std::uint8_t checksum = 0;
    unsigned ignored = 0;
    if (!ReadPair(text, dataPosition + 2 * dataCount, checksum, ignored)) return false;
    return checksum == Checksum(sum);
}

void AppendSLine(std::string& out, std::string_view type, std::uint32_t address,
                 std::span<const std::uint8_t> data)
{
    const std::span<const std::uint8_t> written = data.first(std::min(data.size(), kMaxSRecordData));
    record_hex::AppendRecord(out, type, static_cast<std::uint32_t>(written.size() + 3), 1, address & 0xFFFFU,
                             2, written);
}

std::string FormatSLine(std::string_view type, std::uint32_t address, std::span<const std::uint8_t> data)
{
    std::string line;
    line.reserve(type.size() + 10 + 2 * data.size());
    AppendSLine(line, type, address, data);
    return line;
}

} // namespace zav
