#include "operations/cell_info.h"

#include "buffer/memory_buffer.h"
#include "buffer/numeric_helpers.h"

namespace zav {

CellInfo ShowCellInfo(const MemoryBuffer& buffer, std::int32_t address, std::string_view charSetFontName)
{
    const std::uint8_t value = buffer.GetByte(address);
    CellInfo info;
    // Built by appending: GCC 12 warns falsely (-Wrestrict) about literal + string at -O3.
    info.panels[0].append(" ").append(AddressText(address), 2);
    info.panels[1].append("Dec: ").append(std::to_string(value));
    info.panels[2].append("Bin: ").append(ByteToBinary(value));
    if (buffer.IsUnimplemented(address)) {
        info.panels[3] = "Unimplemented";
    } else {
        info.panels[3] = buffer.IsReadOnly(address) ? "Read Only" : "Read/Write";
    }
    info.panels[4] = CharSetPanelText(charSetFontName);
    return info;
}

std::string CharSetPanelText(std::string_view charSetFontName)
{
    return std::string("Char Set: ").append(charSetFontName);
}

} // namespace zav
