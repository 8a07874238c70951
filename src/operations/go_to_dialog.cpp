#include "operations/go_to_dialog.h"

#include "buffer/numeric_helpers.h"
#include "operations/address_field.h"

namespace zav {

void GoToDialog::Preset(std::int32_t cursorAddress)
{
    address_.SetText(AddressText(cursorAddress));
}

std::optional<std::int32_t> GoToDialog::Ok(std::int32_t lastAddress, MessageBoxes& boxes)
{
    const auto address = ParseAddressField(address_.Text(), lastAddress, boxes);
    if (address) address_.RememberText();
    return address;
}

} // namespace zav
