#pragma once

#include <cstdint>

#include "buffer/colour.h"
#include "operations/history_field.h"

namespace zav {

class MemoryBuffer;
class MessageBoxes;

// The "Edit Cell" dialog over one row of the description: the described cell's address,
// value, colour and access and the row's comment. Confirming writes them into the buffer
// cell and the row directly; the change is not an undo step.
class CellDialog {
public:
    [[nodiscard]] HistoryField& Address() { return address_; }
    [[nodiscard]] HistoryField& Value() { return value_; }
    [[nodiscard]] HistoryField& Comment() { return comment_; }
    [[nodiscard]] PaletteIndex ColourIndex() const { return colourIndex_; }
    void SetColourIndex(int index);
    [[nodiscard]] bool ReadOnly() const { return readOnly_; }
    void SetReadOnly(bool readOnly) { readOnly_ = readOnly; }

    // Fills every field from the row and the cell its address names.
    void Show(const MemoryBuffer& buffer, int row);
    // The address field was edited: a text naming a cell of the buffer refreshes the colour,
    // access and value from that cell (the comment stays); any other text changes nothing else.
    void AddressEdited(const MemoryBuffer& buffer, const std::string& text);
    // Writes the fields into the cell and the row and returns true (the dialog closes); false
    // when the address or value was refused, its message shown, and the dialog stays open.
    bool Ok(MemoryBuffer& buffer, int row, MessageBoxes& boxes);

private:
    void ReadCell(const MemoryBuffer& buffer, std::int32_t address);

    HistoryField address_;
    HistoryField value_;
    HistoryField comment_;
    PaletteIndex colourIndex_ = 0;
    bool readOnly_ = true;
};

} // namespace zav
