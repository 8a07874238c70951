#include "operations/data_inspector.h"

#include <charconv>
#include <optional>
#include <vector>

#include "buffer/memory_buffer.h"
#include "operations/replace_dialog.h"

namespace zav {

namespace {

struct RowShape {
    const char* name;
    int width;          // bytes
    bool isSigned;
    bool bigEndian;
};

constexpr std::array<RowShape, kInspectorRowCount> kRows{{
    {"Unsigned 8", 1, false, true},
    {"Signed 8", 1, true, true},
    {"Unsigned 16 BE", 2, false, true},
    {"Unsigned 16 LE", 2, false, false},
    {"Signed 16 BE", 2, true, true},
    {"Signed 16 LE", 2, true, false},
    {"Unsigned 32 BE", 4, false, true},
    {"Unsigned 32 LE", 4, false, false},
    {"Signed 32 BE", 4, true, true},
    {"Signed 32 LE", 4, true, false},
    {"Binary", 1, false, true},
    {"Octal", 1, false, true},
    {"Character", 1, false, true},
}};

const RowShape& ShapeOf(InspectorRow row)
{
    return kRows[static_cast<std::size_t>(row)];
}

bool Fits(const MemoryBuffer& buffer, std::int32_t address, int width)
{
    return address >= 0 && address <= buffer.LastAddress() - (width - 1);
}

std::uint32_t ReadUnsigned(const MemoryBuffer& buffer, std::int32_t address, const RowShape& shape)
{
    std::uint32_t value = 0;
    for (int index = 0; index < shape.width; ++index) {
        const int byte = shape.bigEndian ? index : shape.width - 1 - index;
        value = value << 8 | buffer.GetByte(address + byte);
    }
    return value;
}

std::int64_t SignExtended(std::uint32_t value, int width)
{
    const int bits = 8 * width;
    const std::uint64_t signBit = std::uint64_t{1} << (bits - 1);
    return static_cast<std::int64_t>((value ^ signBit)) - static_cast<std::int64_t>(signBit);
}

std::optional<std::uint64_t> ParseDigits(std::string_view text, int base)
{
    if (text.empty()) return std::nullopt;
    std::uint64_t value = 0;
    const auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), value, base);
    if (error != std::errc() || end != text.data() + text.size()) return std::nullopt;
    return value;
}

// The bit pattern of a typed number in the row's width, or nothing when it does not fit.
std::optional<std::uint32_t> ParseNumber(std::string_view text, const RowShape& shape)
{
    const bool negative = !text.empty() && text.front() == '-';
    if (negative) {
        if (!shape.isSigned) return std::nullopt;
        text.remove_prefix(1);
    }
    const bool hex = text.size() > 2 && text[0] == '0' && (text[1] == 'x' || text[1] == 'X');
    const auto magnitude = hex ? ParseDigits(text.substr(2), 16) : ParseDigits(text, 10);
    if (!magnitude) return std::nullopt;
    const int bits = 8 * shape.width;
    const std::uint64_t limit = std::uint64_t{1} << bits;
    if (negative) {
        if (*magnitude > limit / 2) return std::nullopt;
        return static_cast<std::uint32_t>((limit - *magnitude) & (limit - 1));
    }
    // A signed row also takes the unsigned spelling of its bits, as "0xFF" for -1.
    const std::uint64_t largest = shape.isSigned && !hex ? limit / 2 - 1 : limit - 1;
    if (*magnitude > largest) return std::nullopt;
    return static_cast<std::uint32_t>(*magnitude);
}

std::optional<std::uint32_t> ParseRowText(std::string_view text, InspectorRow row)
{
    switch (row) {
    case InspectorRow::Binary:
        if (text.size() > 8) return std::nullopt;
        if (const auto value = ParseDigits(text, 2)) return static_cast<std::uint32_t>(*value);
        return std::nullopt;
    case InspectorRow::Octal:
        if (const auto value = ParseDigits(text, 8); value && *value <= 0xFF) return static_cast<std::uint32_t>(*value);
        return std::nullopt;
    case InspectorRow::Latin1:
        if (text.size() != 1) return std::nullopt;
        return static_cast<std::uint8_t>(text.front());
    default:
        return ParseNumber(text, ShapeOf(row));
    }
}

} // namespace

std::string_view InspectorRowName(InspectorRow row)
{
    return ShapeOf(row).name;
}

std::string InspectorValueText(const MemoryBuffer& buffer, std::int32_t address, InspectorRow row)
{
    const RowShape& shape = ShapeOf(row);
    if (!Fits(buffer, address, shape.width)) return {};
    const std::uint32_t value = ReadUnsigned(buffer, address, shape);
    switch (row) {
    case InspectorRow::Binary: {
        std::string bits;
        for (int bit = 7; bit >= 0; --bit) bits.push_back((value >> bit & 1u) != 0 ? '1' : '0');
        return bits;
    }
    case InspectorRow::Octal: {
        std::array<char, 4> digits{};
        const auto result = std::to_chars(digits.data(), digits.data() + digits.size(), value, 8);
        return {digits.data(), result.ptr};
    }
    case InspectorRow::Latin1:
        return std::string(1, static_cast<char>(value));
    default:
        return shape.isSigned ? std::to_string(SignExtended(value, shape.width)) : std::to_string(value);
    }
}

bool WriteInspectorValue(MemoryBuffer& buffer, std::int32_t address, InspectorRow row, std::string_view text)
{
    const RowShape& shape = ShapeOf(row);
    if (!Fits(buffer, address, shape.width)) return false;
    const auto value = ParseRowText(text, row);
    if (!value) return false;
    std::vector<std::uint8_t> bytes;
    for (int index = 0; index < shape.width; ++index) {
        const int shift = 8 * (shape.bigEndian ? shape.width - 1 - index : index);
        bytes.push_back(static_cast<std::uint8_t>(*value >> shift));
    }
    return OverwriteCells(buffer, address, bytes);
}

} // namespace zav
