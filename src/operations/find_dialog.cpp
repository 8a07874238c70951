#include "operations/find_dialog.h"

#include "buffer/memory_buffer.h"
#include "operations/find_pattern.h"
#include "operations/hex_text.h"
#include "messages/message_boxes.h"

namespace zav {

FindDialog::FindDialog(const MemoryBuffer& buffer, std::int32_t cursorAddress)
{
    std::string text;
    AppendHexByte(text, buffer.GetByte(cursorAddress));
    searchText_.SetText(text);
}

std::optional<std::int32_t> FindDialog::Ok(const MemoryBuffer& buffer, std::int32_t cursorAddress,
                                           MessageBoxes& boxes)
{
    const auto pattern = ParseSearchPattern(searchText_.Text(), dataType_, boxes);
    if (!pattern) return std::nullopt;
    searchText_.RememberText();

    const int step = direction_ == SearchDirection::Down ? 1 : -1;
    const std::int32_t start = cursorAddress + step * lastMatchLength_;
    const auto found = FindPattern(buffer, start, step, *pattern, dataType_ == SearchDataType::Text);
    if (!found) {
        boxes.ShowOk("Search String not found", {}, BoxKind::Confirmation);
        return std::nullopt;
    }
    lastMatchLength_ = static_cast<int>(pattern->size());
    lastPattern_ = *pattern;
    return found;
}

} // namespace zav
