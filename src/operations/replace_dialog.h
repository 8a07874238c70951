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

// What Replace did: where the cursor goes (the match replaced or found) and whether the
// cells there refused the new bytes.
struct ReplaceStep {
    std::optional<std::int32_t> cursorTarget;
    bool refused = false;

    bool operator==(const ReplaceStep&) const = default;
};

// "Replace": finds bytes or text as the find dialog does and overwrites each match with the
// replacement, which must hold as many bytes (text is written as typed, its case kept). A
// match in which any cell is read-only or unimplemented is left whole.
class ReplaceDialog {
public:
    [[nodiscard]] HistoryField& SearchText() { return searchText_; }
    [[nodiscard]] HistoryField& ReplaceText() { return replaceText_; }
    [[nodiscard]] SearchDataType DataType() const { return dataType_; }
    void SetDataType(SearchDataType type) { dataType_ = type; }

    // Replace: a match at the cursor is overwritten (one undo step) and the cursor goes on
    // to the next match; elsewhere the cursor only goes to the next match down. Shows
    // "Search String not found" when there is none.
    ReplaceStep ReplaceOne(MemoryBuffer& buffer, std::int32_t cursorAddress, MessageBoxes& boxes);
    // Replace All: every match from the first cell down, not overlapping, as one undo step;
    // the box says how many were replaced (and how many refused). Returns the count.
    int ReplaceAll(MemoryBuffer& buffer, MessageBoxes& boxes);

    // The search pattern of the last successful Replace or Replace All, for the highlight.
    [[nodiscard]] const std::vector<std::uint8_t>& LastPattern() const { return lastPattern_; }

private:
    struct Patterns {
        std::vector<std::uint8_t> search;
        std::vector<std::uint8_t> replacement;
    };
    [[nodiscard]] std::optional<Patterns> ParseTexts(MessageBoxes& boxes);

    HistoryField searchText_;
    HistoryField replaceText_;
    SearchDataType dataType_ = SearchDataType::Hex;
    std::vector<std::uint8_t> lastPattern_;
};

// Writes the bytes from the address on as one undo step, unless a cell there is read-only,
// unimplemented or past the end; returns whether it wrote.
bool OverwriteCells(MemoryBuffer& buffer, std::int32_t address, const std::vector<std::uint8_t>& bytes);

} // namespace zav
