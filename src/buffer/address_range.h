#pragma once

#include <cstdint>

namespace zav {

// An inclusive run of buffer addresses, first <= last once accepted; a single register is a
// range of one cell.
struct AddressRange {
    std::int32_t first = 0;
    std::int32_t last = 0;

    [[nodiscard]] constexpr std::int32_t Size() const { return last - first + 1; }
    [[nodiscard]] constexpr bool Contains(std::int32_t address) const
    {
        return address >= first && address <= last;
    }
    bool operator==(const AddressRange&) const = default;
};

} // namespace zav
