#include "operations/address_field.h"

#include <utility>

#include "buffer/numeric_helpers.h"
#include "messages/message_boxes.h"

namespace zav {

std::optional<std::int32_t> ParseAddressField(std::string_view text, std::int32_t lastAddress,
                                              MessageBoxes& boxes)
{
    const std::int32_t address = ParseNumberText(text, boxes);
    if (address < 0) return std::nullopt;
    if (address > lastAddress) {
        boxes.ShowError(kTooBigAddress);
        return std::nullopt;
    }
    return address;
}

std::optional<AddressRange> CheckAddressRange(std::int32_t from, std::int32_t to, std::int32_t lastAddress,
                                              MessageBoxes& boxes)
{
    if (to < from) std::swap(from, to);
    if (to > lastAddress) {
        boxes.ShowError(kTooBigAddress);
        return std::nullopt;
    }
    return AddressRange{from, to};
}

std::optional<AddressRange> ParseAddressRange(std::string_view fromText, std::string_view toText,
                                              std::int32_t lastAddress, MessageBoxes& boxes)
{
    const std::int32_t from = ParseNumberText(fromText, boxes);
    if (from < 0) return std::nullopt;
    const std::int32_t to = ParseNumberText(toText, boxes);
    if (to < 0) return std::nullopt;
    return CheckAddressRange(from, to, lastAddress, boxes);
}

} // namespace zav
