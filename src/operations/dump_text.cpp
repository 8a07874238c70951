#include "operations/dump_text.h"

#include <algorithm>
#include <new>
#include <utility>

#include "buffer/memory_buffer.h"
#include "operations/hex_text.h"
#include "messages/message_boxes.h"

namespace zav {

std::string BuildDumpText(const MemoryBuffer& buffer, std::int32_t first, std::int32_t last, int bytesPerRow,
                          MessageBoxes& boxes)
{
    const int width = bytesPerRow == 32 ? 32 : 16;
    first = std::clamp(first, 0, buffer.LastAddress());
    last = std::clamp(last, 0, buffer.LastAddress());
    if (last < first) std::swap(first, last);
    const std::int32_t start = first & ~0xF;
    const std::int32_t end = last | 0xF;
    try {
        std::string text;
        const Description& description = buffer.Descriptions();
        text.reserve(static_cast<std::size_t>(end - start + 1) * 3 +
                     static_cast<std::size_t>(end - start) / 2 + description.GetProjectName().size() +
                     description.GetDeviceName().size() + 80);
        text += kBanner;
        text += kLineEnd;
        if (!description.GetProjectName().empty()) {
            text += "Project : " + description.GetProjectName();
            text += kLineEnd;
        }
        if (!description.GetDeviceName().empty()) {
            text += "Device : " + description.GetDeviceName();
            text += kLineEnd;
        }
        for (std::int32_t address = start; address <= end; ++address) {
            if (address % width == 0 || address == start) {
                AppendHexAddress(text, address);
                text += "  ";
            }
            AppendHexByte(text, buffer.GetByte(address));
            text += ' ';
            if ((address + 1) % width == 0 || address == end) text += kLineEnd;
        }
        return text;
    } catch (const std::bad_alloc&) {
        boxes.ShowError(kNotEnoughMemory);
        return {};
    }
}

} // namespace zav
