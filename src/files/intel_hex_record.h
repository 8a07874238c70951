#pragma once

#include <cstddef>
#include <cstdint>
#include <span>
#include <string>
#include <string_view>
#include <vector>

namespace zav {

// The record types of an Intel HEX file.
enum class IntelHexType : std::uint8_t {
    Data = 0x00,
    EndOfFile = 0x01,
    ExtendedSegmentAddress = 0x02,
    StartSegmentAddress = 0x03,
    ExtendedLinearAddress = 0x04,
    StartLinearAddress = 0x05,
};

// One parsed line of an Intel HEX file.
struct IntelHexRecord {
    std::uint8_t type = 0;
    std::uint16_t address = 0;
    std::vector<std::uint8_t> data;
};

// An Intel HEX record holds at most this many data bytes: its count is one byte.
inline constexpr std::size_t kMaxIntelHexData = 0xFF;

// One Intel HEX line: ":", a count byte, a 16-bit address, a type byte, the data and a
// checksum that makes all bytes sum to zero. Hex digits of either case are read, since
// toolchains differ. Leading characters of code 32 or less are skipped and anything after
// the checksum is ignored. Any type byte parses; what a type means is the loader's business.
[[nodiscard]] bool ParseIntelHexLine(std::string_view line, IntelHexRecord& record);

// The line for a record, upper-case, without line end. Data beyond kMaxIntelHexData bytes is
// not written.
[[nodiscard]] std::string FormatIntelHexLine(IntelHexType type, std::uint16_t address,
                                             std::span<const std::uint8_t> data);
// The same line appended to `out`, so a whole file can be built in one string.
void AppendIntelHexLine(std::string& out, IntelHexType type, std::uint16_t address,
                        std::span<const std::uint8_t> data);

} // namespace zav
