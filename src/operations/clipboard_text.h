#pragma once

#include <optional>
#include <string>

#include "buffer/address_range.h"

namespace zav {

class MemoryBuffer;
class MessageBoxes;
class Selection;

// The editor's Copy of a block: one line per selected row, each byte as two upper-case
// digits and a blank, lines joined by CR LF (none after the last). Paste reads it back.
// Without the memory for the text, "Not Enough Memory, close unused Applications" is shown
// and nothing is returned.
[[nodiscard]] std::optional<std::string>
SelectionClipboardText(const MemoryBuffer& buffer, const Selection& selection, MessageBoxes& boxes);

// The copy range dialog's text: every value of the range as two digits and a blank, on one
// line with no line end.
[[nodiscard]] std::optional<std::string> RangeClipboardText(const MemoryBuffer& buffer, AddressRange range,
                                                            MessageBoxes& boxes);

} // namespace zav
