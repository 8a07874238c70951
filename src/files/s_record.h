#pragma once

#include <cstddef>
#include <cstdint>
#include <span>
#include <string>
#include <string_view>

#include "files/file_record.h"

namespace zav {

// A 16-bit-address S record holds at most this many data bytes: its count byte also covers
// the two address bytes and the checksum.
inline constexpr std::size_t kMaxSRecordData = 0xFF - 3;

// One Motorola S line: "S" and a digit, a count byte, the address (24 bits for S2 and S8,
// 16 bits for every other type), the data and a checksum, in upper-case hex. Leading
// characters of code 32 or less are skipped and anything after the checksum is ignored.
// On success `record` holds the upper-cased type, the address and the data.
[[nodiscard]] bool ParseSLine(std::string_view line, FileRecord& record);

// The line for a record with a 16-bit address (the low 16 bits of `address`), without line
// end. Data beyond kMaxSRecordData bytes is not written.
[[nodiscard]] std::string FormatSLine(std::string_view type, std::uint32_t address,
                                      std::span<const std::uint8_t> data);
void AppendSLine(std::string& out, std::string_view type, std::uint32_t address,
                 std::span<const std::uint8_t> data);

} // namespace zav
