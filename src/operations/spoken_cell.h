#pragma once

#include <cstdint>
#include <string>

#include "operations/editor_cursor.h"

namespace zav {

class DifferenceMarks;
class MemoryBuffer;

// How a screen reader names one cell of the editor's panes: its address and what the pane
// shows there, "0xB600: 5A" in the hex pane and "0xB600: Z" in the character pane. A byte the
// character pane shows without a character of its own (a control code, a blank, the "." of
// 0x00 and 0xFF) is read by its two digits instead.
[[nodiscard]] std::string SpokenCellName(EditorGrid grid, std::int32_t address, std::uint8_t value);

// What the reader adds after the name: "unimplemented", "read-only", and where a verify or a
// comparison marked the cell the other side's value ("device FF", "file 5A"), joined by
// commas; empty for a plain cell.
[[nodiscard]] std::string SpokenCellDescription(const MemoryBuffer& buffer, const DifferenceMarks& marks,
                                                std::int32_t address);

} // namespace zav
