#include "operations/fill_dialog.h"

#include "buffer/memory_buffer.h"
#include "buffer/numeric_helpers.h"
#include "operations/address_field.h"
#include "operations/fill.h"
#include "operations/selection.h"

namespace zav {

void FillDialog::Preset(const MemoryBuffer& buffer, std::int32_t cursorAddress)
{
    value_.SetText(ByteText(buffer.GetByte(cursorAddress)));
    from_.SetText(AddressText(cursorAddress));
    to_.SetText(AddressText(cursorAddress));
}

std::optional<std::int32_t> FillDialog::Ok(MemoryBuffer& buffer, const Selection& selection,
                                           MessageBoxes& boxes)
{
    const std::int32_t number = ParseNumberText(value_.Text(), boxes);
    if (number < 0) return std::nullopt;
    const std::int32_t from = ParseNumberText(from_.Text(), boxes);
    if (from < 0) return std::nullopt;
    const std::int32_t to = ParseNumberText(to_.Text(), boxes);
    if (to < 0) return std::nullopt;
    const auto range = CheckAddressRange(from, to, buffer.LastAddress(), boxes);
    if (!range) return std::nullopt;

    value_.RememberText();
    from_.RememberText();
    to_.RememberText();
    const auto value = static_cast<std::uint8_t>(number & 0xFF);
    if (selection.HasSelection()) return FillSelection(buffer, selection, value);
    return FillRange(buffer, *range, value);
}

} // namespace zav
