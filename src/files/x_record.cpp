#include "files/x_record.h"

#include <algorithm>

#include "files/record_hex.h"

namespace zav {

namespace {

constexpr std::size_t kShortestLine = 14;
constexpr std::size_t kCountBytes = 2;
constexpr std::size_t kAddressBytes = 3;

std::size_t AddressBytes(std::string_view /*type*/)
{
    return kAddressBytes;
}

} // namespace

bool ParseXLine(std::string_view line, FileRecord& record)
{
    return record_hex::ReadRecordLine(line, kShortestLine, kCountBytes, AddressBytes, record);
}

void AppendXLine(std::string& out, std::string_view type, std::uint32_t address,
                 std::span<const std::uint8_t> data)
{
    const std::span<const std::uint8_t> written = data.first(std::min(data.size(), kMaxXRecordData));
    record_hex::AppendRecord(out, type, static_cast<std::uint32_t>(written.size() + kAddressBytes + 1),
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
