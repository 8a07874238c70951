#pragma once

#include <array>
#include <cstdint>
#include <string>
#include <string_view>

namespace zav {

class MemoryBuffer;

// The ways the data inspector reads the bytes at the cursor. The devices store words
// big-endian, so of each pair the big-endian row comes first.
enum class InspectorRow {
    Unsigned8,
    Signed8,
    Unsigned16Big,
    Unsigned16Little,
    Signed16Big,
    Signed16Little,
    Unsigned32Big,
    Unsigned32Little,
    Signed32Big,
    Signed32Little,
    Binary,
    Octal,
    Latin1,
};
inline constexpr int kInspectorRowCount = 13;

[[nodiscard]] std::string_view InspectorRowName(InspectorRow row);

// The value the row reads at the address; empty where the row's bytes run past the buffer.
[[nodiscard]] std::string InspectorValueText(const MemoryBuffer& buffer, std::int32_t address, InspectorRow row);

// Writes a typed value as the row reads it, as one undo step. Numbers are decimal, or
// hexadecimal after "0x"; signed rows take a leading "-"; binary and octal rows take their
// digits alone; the character row takes one character. Nothing is written, and false
// returned, when the text does not fit the row or any of its cells is read-only,
// unimplemented or past the end of the buffer.
bool WriteInspectorValue(MemoryBuffer& buffer, std::int32_t address, InspectorRow row, std::string_view text);

} // namespace zav
