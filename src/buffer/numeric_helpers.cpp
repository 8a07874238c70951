#include "buffer/numeric_helpers.h"

#include <charconv>
#include <limits>

#include "buffer/hex_digits.h"
#include "messages/message_boxes.h"

namespace zav {

namespace {

constexpr int kBytesPerRow = 16;
constexpr unsigned kLevelStep = 85;

int DigitValue(char c, int base)
{
    int value = -1;
    if (c >= '0' && c <= '9')
        value = c - '0';
    else if (c >= 'A' && c <= 'F')
        value = c - 'A' + 10;
    else if (c >= 'a' && c <= 'f')
        value = c - 'a' + 10;
    return value < base ? value : -1;
}

int UpperHexValue(char c)
{
    if (c >= '0' && c <= '9') return c - '0';
    if (c >= 'A' && c <= 'F') return c - 'A' + 10;
    return -1;
}

// "0x" (after a minus sign when negative is set) and the upper-case hexadecimal digits of
// value, at least minDigits of them.
std::string PrefixedHex(std::uint32_t value, int minDigits, bool negative)
{
    char text[16];
    char* const end = text + sizeof text;
    char* digit = end;
    int count = 0;
    while (value != 0 || count < minDigits) {
        *--digit = HexDigit(static_cast<int>(value & 0xF));
        value >>= 4;
        ++count;
    }
    *--digit = 'x';
    *--digit = '0';
    if (negative) *--digit = '-';
    return std::string(digit, end);
}

} // namespace

int HexCellAddress(int column, int row)
{
    return row * kBytesPerRow + column - 1;
}

int CharCellAddress(int column, int row)
{
    return row * kBytesPerRow + column;
}

int HexCellOfAddress(int address, int& row)
{
    row = address / kBytesPerRow;
    return address % kBytesPerRow + 1;
}

char HexDigit(int n)
{
    return kUpperHexDigits[static_cast<std::size_t>(n & 0xF)];
}

std::string ByteText(std::uint8_t value)
{
    return PrefixedHex(value, 2, false);
}

std::string AddressText(int address)
{
    // A negative address keeps its sign so that StringToInt reads back the same number.
    if (address < 0) return PrefixedHex(0u - static_cast<std::uint32_t>(address), 4, true);
    return PrefixedHex(static_cast<std::uint32_t>(address), 4, false);
}

std::string ByteToBinary(std::uint8_t value)
{
    std::string bits(8, '0');
    for (int bit = 0; bit < 8; ++bit) {
        if (value & (0x80 >> bit)) bits[static_cast<std::size_t>(bit)] = '1';
    }
    return bits;
}

bool ParseHexPair(char high, char low, std::uint8_t& value)
{
    const int highValue = UpperHexValue(high);
    if (highValue < 0) return false;
    const int lowValue = UpperHexValue(low);
    if (lowValue < 0) return false;
    value = static_cast<std::uint8_t>(highValue * 16 + lowValue);
    return true;
}

bool IsHexAddressText(std::string_view text)
{
    std::uint8_t unused = 0;
    return text.size() == 6 && ParseHexPair(text[2], text[3], unused) &&
           ParseHexPair(text[4], text[5], unused);
}

std::optional<std::uint64_t> ParseUnsignedNumber(std::string_view text)
{
    int base = 10;
    if (text.size() > 2 && text[0] == '0' && (text[1] == 'x' || text[1] == 'X')) {
        base = 16;
        text.remove_prefix(2);
    }
    if (text.empty()) return std::nullopt;
    std::uint64_t value = 0;
    const auto [end, failure] = std::from_chars(text.data(), text.data() + text.size(), value, base);
    if (failure != std::errc{} || end != text.data() + text.size()) return std::nullopt;
    return value;
}

std::optional<std::int32_t> StringToInt(std::string_view text)
{
    std::size_t pos = 0;
    while (pos < text.size() && (text[pos] == ' ' || text[pos] == '\t')) ++pos;

    bool negative = false;
    if (pos < text.size() && (text[pos] == '+' || text[pos] == '-')) {
        negative = text[pos] == '-';
        ++pos;
    }

    int base = 10;
    if (pos < text.size() && text[pos] == '$') {
        base = 16;
        ++pos;
    } else if (pos + 1 < text.size() && text[pos] == '0' && (text[pos + 1] == 'x' || text[pos + 1] == 'X')) {
        base = 16;
        pos += 2;
    }
    if (pos == text.size()) return std::nullopt;

    // The magnitude may reach 2^31 for the most negative value; anything above fails
    // rather than wrapping.
    const std::int64_t limit = negative ? -static_cast<std::int64_t>(std::numeric_limits<std::int32_t>::min())
                                        : std::numeric_limits<std::int32_t>::max();
    std::int64_t magnitude = 0;
    for (; pos < text.size(); ++pos) {
        const int digit = DigitValue(text[pos], base);
        if (digit < 0) return std::nullopt;
        magnitude = magnitude * base + digit;
        if (magnitude > limit) return std::nullopt;
    }
    return static_cast<std::int32_t>(negative ? -magnitude : magnitude);
}

std::int32_t ParseNumberText(std::string_view text, MessageBoxes& boxes)
{
    const std::optional<std::int32_t> value = StringToInt(text);
    if (!value) {
        boxes.ShowError("To Enter Address Value in Hexadecimal format prefix 0x must be use.");
        return -1;
    }
    return *value < 0 ? -1 : *value;
}

char LowerCaseChar(char c)
{
    return (c >= 'A' && c <= 'Z') ? static_cast<char>(c - 'A' + 'a') : c;
}

Colour ColourFromIndex(PaletteIndex index)
{
    return (index & 3u) * 0x55u + ((index >> 2) & 3u) * 0x5500u + ((index >> 4) & 3u) * 0x550000u;
}

PaletteIndex IndexFromColour(Colour colour)
{
    const unsigned red = (colour & 0xFFu) / kLevelStep;
    const unsigned green = ((colour >> 8) & 0xFFu) / kLevelStep;
    const unsigned blue = ((colour >> 16) & 0xFFu) / kLevelStep;
    return static_cast<PaletteIndex>(red | (green << 2) | (blue << 4));
}

} // namespace zav
