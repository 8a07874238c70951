#pragma once

#include <cstdint>
#include <optional>

#include "operations/history_field.h"

namespace zav {

class MemoryBuffer;
class MessageBoxes;
class Selection;

// The "Fill Array" dialog: one value into a typed range, or into the editor's selection when
// it holds more than one cell, as one undo step.
class FillDialog {
public:
    [[nodiscard]] HistoryField& Value() { return value_; }
    [[nodiscard]] HistoryField& From() { return from_; }
    [[nodiscard]] HistoryField& To() { return to_; }

    // The value field shows the byte under the cursor, both address fields its address.
    void Preset(const MemoryBuffer& buffer, std::int32_t cursorAddress);
    // Fills and returns the cell the editor's cursor goes to (the last one written); empty
    // when an input was refused (its message shown), the buffer unchanged and the dialog open.
    // The address fields are checked in selection mode too, though the selection is filled.
    std::optional<std::int32_t> Ok(MemoryBuffer& buffer, const Selection& selection, MessageBoxes& boxes);

private:
    HistoryField value_;
    HistoryField from_;
    HistoryField to_;
};

} // namespace zav
