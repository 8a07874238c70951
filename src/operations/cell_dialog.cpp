#include "operations/cell_dialog.h"

#include <algorithm>

#include "buffer/memory_buffer.h"
#include "buffer/numeric_helpers.h"
#include "messages/message_boxes.h"
#include "operations/address_field.h"

namespace zav {

void CellDialog::SetColourIndex(int index)
{
    colourIndex_ = static_cast<PaletteIndex>(std::clamp(index, 0, 63));
}

void CellDialog::ReadCell(const MemoryBuffer& buffer, std::int32_t address)
{
    colourIndex_ = IndexFromColour(buffer.GetCellColour(address));
    readOnly_ = buffer.IsReadOnly(address);
    value_.SetText(ByteText(buffer.GetByte(address)));
}

void CellDialog::Show(const MemoryBuffer& buffer, int row)
{
    const Description& description = buffer.Descriptions();
    const std::string addressText = description.RowAddressText(row);
    ReadCell(buffer, StringToInt(addressText).value_or(0));
    address_.SetText(addressText);
    comment_.SetText(description.RowNote(row));
}

void CellDialog::AddressEdited(const MemoryBuffer& buffer, const std::string& text)
{
    address_.SetText(text);
    const std::optional<std::int32_t> address = StringToInt(text);
    if (address && *address >= 0 && *address <= buffer.LastAddress()) ReadCell(buffer, *address);
}

bool CellDialog::Ok(MemoryBuffer& buffer, int row, MessageBoxes& boxes)
{
    const std::int32_t address = ParseNumberText(address_.Text(), boxes);
    if (address < 0) return false;
    if (address > buffer.LastAddress()) {
        boxes.ShowError(kTooBigAddress);
        return false;
    }
    const std::int32_t value = ParseNumberText(value_.Text(), boxes);
    if (value < 0) return false;
    address_.RememberText();
    value_.RememberText();
    comment_.RememberText();

    Description& description = buffer.Descriptions();
    description.SetRowAddressText(row, address_.Text());
    // The value goes in even where the cell was read-only; the access follows afterwards.
    buffer.SetReadOnly(address, false);
    buffer.SetByte(address, static_cast<std::uint8_t>(value & 0xFF));
    if (readOnly_) buffer.SetReadOnly(address, true);
    // Replaces the edited colour the store just gave the cell.
    buffer.SetCellColour(address, ColourFromIndex(colourIndex_));
    description.SetRowNote(row, comment_.Text());
    return true;
}

} // namespace zav
