#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

#include "buffer/colour.h"

namespace zav {

class MessageBoxes;

// Grid geometry: the hex grid has the address in column 0 and bytes in columns 1-16;
// the character grid has bytes in columns 0-15; both have 16 bytes per row.
[[nodiscard]] int HexCellAddress(int column, int row);
[[nodiscard]] int CharCellAddress(int column, int row);
// Returns the column and stores the row in `row`.
int HexCellOfAddress(int address, int& row);

// Upper-case hexadecimal digit of the low 4 bits of n.
[[nodiscard]] char HexDigit(int n);
// "0x" and two upper-case digits, and "0x" and four: how values and addresses are shown.
[[nodiscard]] std::string ByteText(std::uint8_t value);
[[nodiscard]] std::string AddressText(int address);
// Eight '0'/'1' characters, most significant bit first.
[[nodiscard]] std::string ByteToBinary(std::uint8_t value);
// True when both are 0-9 or A-F (upper case only); `value` is then high x 16 + low.
[[nodiscard]] bool ParseHexPair(char high, char low, std::uint8_t& value);
// Exactly 6 characters whose characters 3-4 and 5-6 are pairs ParseHexPair accepts.
[[nodiscard]] bool IsHexAddressText(std::string_view text);

// The string-to-integer conversion every number field rests on: leading blanks, an optional
// sign, then decimal digits or hexadecimal digits after 0x, 0X or $. Anything else (empty
// text, trailing characters, a value outside signed 32 bits) gives no value.
[[nodiscard]] std::optional<std::int32_t> StringToInt(std::string_view text);

// A whole number without sign or blanks, decimal or hexadecimal after 0x or 0X, for texts
// written by hand into options; none when the text is anything else or overflows.
[[nodiscard]] std::optional<std::uint64_t> ParseUnsignedNumber(std::string_view text);

// A number typed by the user: the value, or -1. A text that does not convert shows
// "To Enter Address Value in Hexadecimal format prefix 0x must be use."; a negative value
// gives -1 silently.
[[nodiscard]] std::int32_t ParseNumberText(std::string_view text, MessageBoxes& boxes);

// A-Z become a-z; every other character is returned unchanged.
[[nodiscard]] char LowerCaseChar(char c);

[[nodiscard]] Colour ColourFromIndex(PaletteIndex index);
[[nodiscard]] PaletteIndex IndexFromColour(Colour colour);

} // namespace zav
