#pragma once

#include <cstdint>
#include <vector>

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

// Adds `address`, taken in ascending order, to `runs`: the last run grows when the address
// follows it, otherwise a run of one cell starts.
inline void AddToRuns(std::vector<AddressRange>& runs, std::int32_t address)
{
    if (!runs.empty() && runs.back().last == address - 1) {
        runs.back().last = address;
    } else {
        runs.push_back({address, address});
    }
}

} // namespace zav
