#include "operations/replace_dialog.h"

#include "buffer/memory_buffer.h"
#include "messages/message_boxes.h"
#include "operations/find_matches.h"
#include "operations/find_pattern.h"

namespace zav {

namespace {

bool Writable(const MemoryBuffer& buffer, std::int32_t address, std::size_t length)
{
    for (std::size_t index = 0; index < length; ++index) {
        const auto cell = address + static_cast<std::int32_t>(index);
        if (buffer.IsReadOnly(cell) || buffer.IsUnimplemented(cell)) return false;
    }
    return true;
}

void WriteCells(MemoryBuffer& buffer, std::int32_t address, const std::vector<std::uint8_t>& bytes)
{
    UndoStack& undo = buffer.Undo();
    for (std::size_t index = 0; index < bytes.size(); ++index) {
        const auto cell = address + static_cast<std::int32_t>(index);
        undo.Push(cell);
        buffer.SetByte(cell, bytes[index]);
    }
}

} // namespace

bool OverwriteCells(MemoryBuffer& buffer, std::int32_t address, const std::vector<std::uint8_t>& bytes)
{
    if (!Writable(buffer, address, bytes.size())) return false;
    const MemoryBuffer::ChangeBatch batch(buffer);
    buffer.Undo().BeginGroup();
    WriteCells(buffer, address, bytes);
    buffer.Undo().EndGroup();
    return true;
}

std::optional<ReplaceDialog::Patterns> ReplaceDialog::ParseTexts(MessageBoxes& boxes)
{
    auto search = ParseSearchPattern(searchText_.Text(), dataType_, boxes);
    if (!search) return std::nullopt;
    if (search->empty()) {
        boxes.ShowError("Enter the String to search for");
        return std::nullopt;
    }
    std::vector<std::uint8_t> replacement;
    if (dataType_ == SearchDataType::Text) {
        replacement.assign(replaceText_.Text().begin(), replaceText_.Text().end());
    } else {
        auto parsed = ParseSearchPattern(replaceText_.Text(), dataType_, boxes);
        if (!parsed) return std::nullopt;
        replacement = std::move(*parsed);
    }
    if (replacement.size() != search->size()) {
        boxes.ShowError("The Replace String must have as many bytes as the Search String");
        return std::nullopt;
    }
    searchText_.RememberText();
    replaceText_.RememberText();
    lastPattern_ = *search;
    return Patterns{std::move(*search), std::move(replacement)};
}

ReplaceStep ReplaceDialog::ReplaceOne(MemoryBuffer& buffer, std::int32_t cursorAddress, MessageBoxes& boxes)
{
    const auto patterns = ParseTexts(boxes);
    if (!patterns) return {};
    const bool textMode = dataType_ == SearchDataType::Text;
    std::int32_t from = cursorAddress;
    if (MatchesAt(buffer, cursorAddress, patterns->search, textMode)) {
        if (!OverwriteCells(buffer, cursorAddress, patterns->replacement)) return {cursorAddress, true};
        from = cursorAddress + static_cast<std::int32_t>(patterns->search.size());
    }
    const auto next = FindPattern(buffer, from, 1, patterns->search, textMode);
    if (!next) {
        boxes.ShowOk("Search String not found", {}, BoxKind::Confirmation);
        return {from == cursorAddress ? std::nullopt : std::optional<std::int32_t>(cursorAddress), false};
    }
    return {next, false};
}

int ReplaceDialog::ReplaceAll(MemoryBuffer& buffer, MessageBoxes& boxes)
{
    const auto patterns = ParseTexts(boxes);
    if (!patterns) return 0;
    const bool textMode = dataType_ == SearchDataType::Text;
    const auto length = static_cast<std::int32_t>(patterns->search.size());
    int replaced = 0;
    int refused = 0;
    {
        const MemoryBuffer::ChangeBatch batch(buffer);
        UndoStack& undo = buffer.Undo();
        // One pass over the buffer: a match is skipped whole, so matches never overlap.
        std::int32_t address = 0;
        while (address <= buffer.LastAddress()) {
            if (!MatchesAt(buffer, address, patterns->search, textMode)) {
                ++address;
                continue;
            }
            if (Writable(buffer, address, patterns->replacement.size())) {
                if (replaced == 0) undo.BeginGroup();
                WriteCells(buffer, address, patterns->replacement);
                ++replaced;
            } else {
                ++refused;
            }
            address += length;
        }
        if (replaced > 0) undo.EndGroup();
    }
    if (replaced == 0 && refused == 0) {
        boxes.ShowOk("Search String not found", {}, BoxKind::Confirmation);
        return 0;
    }
    std::string text = std::to_string(replaced) + (replaced == 1 ? " match replaced" : " matches replaced");
    if (refused > 0) text += ", " + std::to_string(refused) + " in read-only or unimplemented cells left";
    boxes.ShowOk(text, "Replace", BoxKind::Information);
    return replaced;
}

} // namespace zav
