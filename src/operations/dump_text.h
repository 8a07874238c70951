#pragma once

#include <cstdint>
#include <string>

namespace zav {

class MemoryBuffer;
class MessageBoxes;

// The memory dump that printing lays out: the banner line, "Project : " and "Device : "
// lines when the description names them, then whole 16-byte rows from the row of `first` to
// the row of `last`, `bytesPerRow` (16 or 32; anything else counts as 16) values to a line,
// each line starting with its address and ending with CR LF. At 32 bytes per row a range
// that starts in the second half of a 32-byte block begins with a 16-byte line, which also
// carries its address, and one that ends in the first half ends with one.
// Without the memory for it, "Not Enough Memory, close unused Applications" is shown and the
// text is empty.
[[nodiscard]] std::string BuildDumpText(const MemoryBuffer& buffer, std::int32_t first, std::int32_t last,
                                        int bytesPerRow, MessageBoxes& boxes);

} // namespace zav
