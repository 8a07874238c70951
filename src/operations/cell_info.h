#pragma once

#include <array>
#include <cstdint>
#include <string>
#include <string_view>

namespace zav {

class MemoryBuffer;

// The five texts of the editor's status bar for the cell under the cursor: address,
// decimal value, binary value, access, and the character set (the right font's name).
struct CellInfo {
    std::array<std::string, 5> panels;

    bool operator==(const CellInfo&) const = default;
};

[[nodiscard]] CellInfo ShowCellInfo(const MemoryBuffer& buffer, std::int32_t address,
                                    std::string_view charSetFontName);
// The last panel alone: it follows the editor options, not the cursor.
[[nodiscard]] std::string CharSetPanelText(std::string_view charSetFontName);

} // namespace zav
