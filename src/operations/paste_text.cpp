#include "operations/paste_text.h"

#include "buffer/memory_buffer.h"
#include "buffer/numeric_helpers.h"

namespace zav {

PasteResult PasteText(MemoryBuffer& buffer, std::string_view text, std::int32_t cursorAddress)
{
    text = text.substr(0, kPasteTextLimit);
    if (text.size() <= 1) return {};

    const MemoryBuffer::ChangeBatch batch(buffer);
    UndoStack& undo = buffer.Undo();
    const std::int32_t lastAddress = buffer.LastAddress();
    std::int32_t lineStart = cursorAddress;
    std::int32_t offset = 0;
    int pasted = 0;
    std::size_t position = 0;
    while (position < text.size()) {
        const char current = text[position];
        if (current == ' ') {
            ++position;
            continue;
        }
        // Text from Linux programs ends its lines with LF alone.
        if (current == '\n') {
            lineStart += 16;
            offset = 0;
            ++position;
            continue;
        }
        if (position + 1 >= text.size()) break;
        const char next = text[position + 1];
        if (current == '\r' && next == '\n') {
            lineStart += 16;
            offset = 0;
            position += 2;
            continue;
        }
        std::uint8_t value = 0;
        const std::int32_t address = lineStart + offset;
        if (!ParseHexPair(current, next, value) || address < 0 || address > lastAddress) break;
        // The group opens with the first byte, so a paste that stores nothing leaves no step.
        if (pasted == 0) undo.BeginGroup();
        undo.Push(address);
        buffer.SetByte(address, value);
        ++offset;
        ++pasted;
        position += 2;
    }
    if (pasted > 0) undo.EndGroup();
    return {pasted, lineStart + offset};
}

} // namespace zav
