#include "operations/spoken_cell.h"

#include "buffer/difference_marks.h"
#include "buffer/hex_digits.h"
#include "buffer/memory_buffer.h"
#include "buffer/numeric_helpers.h"

namespace zav {

namespace {

// Latin-1 characters with a visible glyph; the blank and the no-break space read as nothing.
bool HasVisibleCharacter(std::uint8_t value)
{
    return (value > 0x20 && value < 0x7F) || (value > 0xA0 && value < 0xFF);
}

} // namespace

std::string SpokenCellName(EditorGrid grid, std::int32_t address, std::uint8_t value)
{
    std::string name = AddressText(address) + ": ";
    if (grid == EditorGrid::Char && HasVisibleCharacter(value)) {
        name.push_back(static_cast<char>(value));
    } else {
        AppendHexByte(name, value);
    }
    return name;
}

std::string SpokenCellDescription(const MemoryBuffer& buffer, const DifferenceMarks& marks, std::int32_t address)
{
    std::string description;
    const auto add = [&description](const std::string& part) {
        if (!description.empty()) description += ", ";
        description += part;
    };
    if (buffer.IsUnimplemented(address)) add("unimplemented");
    if (buffer.IsReadOnly(address)) add("read-only");
    if (const auto difference = marks.Find(address)) {
        // The other side is the part after a verify, the file after a comparison.
        std::string other(marks.OtherSide());
        other.push_back(' ');
        AppendHexByte(other, difference->device);
        add(other);
    }
    return description;
}

} // namespace zav
