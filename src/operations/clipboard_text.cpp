#include "operations/clipboard_text.h"

#include <new>

#include "buffer/memory_buffer.h"
#include "operations/hex_text.h"
#include "operations/selection.h"
#include "messages/message_boxes.h"

namespace zav {

std::optional<std::string> SelectionClipboardText(const MemoryBuffer& buffer, const Selection& selection,
                                                  MessageBoxes& boxes)
{
    try {
        std::string text;
        const auto lineLength = static_cast<std::size_t>(selection.ColumnCount()) * 3 + 2;
        text.reserve(lineLength * static_cast<std::size_t>(selection.RowCount()));
        for (int row = selection.Top(); row <= selection.Bottom(); ++row) {
            if (row != selection.Top()) text += kLineEnd;
            for (int column = selection.Left(); column <= selection.Right(); ++column) {
                AppendHexByte(text, buffer.GetByte(HexCellAddress(column, row)));
                text.push_back(' ');
            }
        }
        return text;
    } catch (const std::bad_alloc&) {
        boxes.ShowError(kNotEnoughMemory);
        return std::nullopt;
    }
}

std::optional<std::string> RangeClipboardText(const MemoryBuffer& buffer, AddressRange range,
                                              MessageBoxes& boxes)
{
    try {
        std::string text;
        if (range.Size() > 0) text.reserve(static_cast<std::size_t>(range.Size()) * 3);
        for (std::int32_t address = range.first; address <= range.last; ++address) {
            AppendHexByte(text, buffer.GetByte(address));
            text.push_back(' ');
        }
        return text;
    } catch (const std::bad_alloc&) {
        boxes.ShowError(kNotEnoughMemory);
        return std::nullopt;
    }
}

} // namespace zav
