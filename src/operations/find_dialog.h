#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

#include "operations/history_field.h"
#include "operations/search_pattern.h"

namespace zav {

class MemoryBuffer;
class MessageBoxes;

enum class SearchDirection { Up, Down };

// The "Search" dialog, which Search Again runs without showing it. It remembers the length
// of its last match so that the next search starts beyond that match, in either direction,
// even when the cursor moved in between.
class FindDialog {
public:
    // The search text starts as the byte under the cursor when the dialog is created.
    FindDialog(const MemoryBuffer& buffer, std::int32_t cursorAddress);

    [[nodiscard]] HistoryField& SearchText() { return searchText_; }
    [[nodiscard]] SearchDataType DataType() const { return dataType_; }
    void SetDataType(SearchDataType type) { dataType_ = type; }
    [[nodiscard]] SearchDirection Direction() const { return direction_; }
    void SetDirection(SearchDirection direction) { direction_ = direction; }
    [[nodiscard]] int LastMatchLength() const { return lastMatchLength_; }
    // The bytes the last successful search looked for, so the editor can mark its matches.
    [[nodiscard]] const std::vector<std::uint8_t>& LastPattern() const { return lastPattern_; }

    // The address of the match, where the editor's cursor goes and the dialog closes. Empty
    // when the text was refused or nothing matched ("Search String not found"); the dialog
    // then stays open and the cursor where it is. With `wrapAround` (Search Again) a search
    // that runs off the end of the buffer goes on from the other end; Wrapped() then says so.
    [[nodiscard]] std::optional<std::int32_t> Ok(const MemoryBuffer& buffer, std::int32_t cursorAddress,
                                                 MessageBoxes& boxes, bool wrapAround = false);
    // The last search found its match only after going on from the other end of the buffer.
    [[nodiscard]] bool Wrapped() const { return wrapped_; }
    // The line that tells the user so; empty when the last search did not wrap.
    [[nodiscard]] std::string WrapNote() const;

private:
    HistoryField searchText_;
    SearchDataType dataType_ = SearchDataType::Hex;
    SearchDirection direction_ = SearchDirection::Down;
    int lastMatchLength_ = 0;
    std::vector<std::uint8_t> lastPattern_;
    bool wrapped_ = false;
};

} // namespace zav
