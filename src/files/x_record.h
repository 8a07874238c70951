#pragma once

#include <cstddef>
#include <cstdint>
#include <span>
#include <string>
#include <string_view>

#include "files/file_record.h"

namespace zav {

// An X record holds at most this many data bytes: its 16-bit count also covers the three
// address bytes and the checksum.
inline constexpr std::size_t kMaxXRecordData = 0xFFFF - 4;

// One line of a ZAV Extended Format file: "X" and a digit, a 16-bit count, a 24-bit address,
// the data and a checksum, all in upper-case hex. Leading characters of code 32 or less are
// skipped and anything after the checksum is ignored. On success `record` holds the
// upper-cased type, the address and the data; on failure its contents are unspecified.
[[nodiscard]] bool ParseXLine(std::string_view line, FileRecord& record);

// The line for a record, without line end. Data beyond kMaxXRecordData bytes is not written:
// callers refuse longer texts before they get here.
[[nodiscard]] std::string FormatXLine(std::string_view type, std::uint32_t address,
                                      std::span<const std::uint8_t> data);
// The same line appended to `out`, so a whole file can be built in one string.
void AppendXLine(std::string& out, std::string_view type, std::uint32_t address,
                 std::span<const std::uint8_t> data);

} // namespace zav
