#pragma once

#include <cstdint>
#include <optional>
#include <string_view>

#include "buffer/address_range.h"

namespace zav {

class MessageBoxes;

inline constexpr char kTooBigAddress[] = "Too big Address value";

// A typed address: the number (ParseNumberText tells the user what is wrong with the text),
// then "Too big Address value" when it lies beyond the last address.
[[nodiscard]] std::optional<std::int32_t> ParseAddressField(std::string_view text, std::int32_t lastAddress,
                                                            MessageBoxes& boxes);

// Checks the size of a range whose ends already converted: a reversed range is turned round,
// and "Too big Address value" is shown when its end lies beyond the last address.
[[nodiscard]] std::optional<AddressRange> CheckAddressRange(std::int32_t from, std::int32_t to,
                                                            std::int32_t lastAddress, MessageBoxes& boxes);

// A From and a To field: both converted first, then the range checked.
[[nodiscard]] std::optional<AddressRange> ParseAddressRange(std::string_view fromText,
                                                            std::string_view toText, std::int32_t lastAddress,
                                                            MessageBoxes& boxes);

} // namespace zav
