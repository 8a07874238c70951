#pragma once

#include <cstddef>
#include <cstdint>
#include <optional>
#include <string_view>
#include <vector>

namespace zav {

class MessageBoxes;

// How the find dialog reads its search text, in the order of its choices.
enum class SearchDataType { Hex, Text };

inline constexpr std::size_t kMaxSearchLength = 32;

// The bytes to look for. Hex: pairs of digits of either case, so "0A0b" is 0x0A 0x0B.
// Text: one byte per character, A-Z folded to a-z (the search ignores their case).
// A text longer than 32 characters, an odd number of hex digits or a pair that is not two
// hex digits each show their message and give nothing. An empty text is a valid pattern.
[[nodiscard]] std::optional<std::vector<std::uint8_t>>
ParseSearchPattern(std::string_view text, SearchDataType type, MessageBoxes& boxes);

} // namespace zav
