#include "operations/copy_range_dialog.h"

#include "buffer/memory_buffer.h"
#include "buffer/numeric_helpers.h"
#include "operations/address_field.h"
#include "operations/clipboard_text.h"

namespace zav {

void CopyRangeDialog::Preset(std::int32_t cursorAddress)
{
    from_.SetText(AddressText(cursorAddress));
    to_.SetText(AddressText(cursorAddress));
}

std::optional<std::string> CopyRangeDialog::Ok(const MemoryBuffer& buffer, MessageBoxes& boxes)
{
    const auto range = ParseAddressRange(from_.Text(), to_.Text(), buffer.LastAddress(), boxes);
    if (!range) return std::nullopt;
    from_.RememberText();
    to_.RememberText();
    return RangeClipboardText(buffer, *range, boxes);
}

} // namespace zav
