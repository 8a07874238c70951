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
                                           MessageBoxes& boxes, bool wrapAround)
{
    wrapped_ = false;
    const auto pattern = ParseSearchPattern(searchText_.Text(), dataType_, boxes);
    if (!pattern) return std::nullopt;
    searchText_.RememberText();

    const int step = direction_ == SearchDirection::Down ? 1 : -1;
    const std::int32_t start = cursorAddress + step * lastMatchLength_;
    const bool textMode = dataType_ == SearchDataType::Text;
    auto found = FindPattern(buffer, start, step, *pattern, textMode);
    if (!found && wrapAround) {
        // The rest of the buffer lies before the start (after it, searching up), so the first
        // match from the other end is the next one round.
        found = FindPattern(buffer, step > 0 ? 0 : buffer.LastAddress(), step, *pattern, textMode);
        wrapped_ = found.has_value();
    }
    if (!found) {
        boxes.ShowOk("Search String not found", {}, BoxKind::Confirmation);
        return std::nullopt;
    }
    lastMatchLength_ = static_cast<int>(pattern->size());
    lastPattern_ = *pattern;
    return found;
}

std::string FindDialog::WrapNote() const
{
    if (!wrapped_) return {};
    return direction_ == SearchDirection::Down ? "Search reached the end of the buffer and went on from the start"
                                               : "Search reached the start of the buffer and went on from the end";
}

} // namespace zav
