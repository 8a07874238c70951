#pragma once

#include <cstdint>

namespace zav {

// An inclusive run of buffer addresses, first <= last once a dialog has accepted it.
struct AddressRange {
    std::int32_t first = 0;
    std::int32_t last = 0;

    [[nodiscard]] std::int32_t Size() const { return last - first + 1; }
    bool operator==(const AddressRange&) const = default;
};

} // namespace zav
