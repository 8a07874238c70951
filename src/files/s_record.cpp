#include "files/s_record.h"

#include <algorithm>

#include "files/record_hex.h"

namespace zav {

namespace {

constexpr std::size_t kShortestLine = 10;
constexpr std::size_t kCountBytes = 1;

// S2 and S8 carry a 24-bit address, every other type a 16-bit one.
std::size_t AddressBytes(std::string_view type)
{
    return (type == "S2" || type == "S8") ? 3 : 2;
}

} // namespace

bool ParseSLine(std::string_view line, FileRecord& record)
{
    return record_hex::ReadRecordLine(line, kShortestLine, kCountBytes, AddressBytes, record);
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
