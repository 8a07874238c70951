#include "sequences/buffer_cells_used.h"

#include <algorithm>

namespace zav {

std::vector<AddressRange> BufferCellsUsed(const SequencePlan& plan, bool program, bool verify)
{
    std::vector<AddressRange> cells;
    if (program || verify) cells.push_back(plan.eeprom);
    if (program && plan.configRegister) cells.push_back({*plan.configRegister, *plan.configRegister});
    std::sort(cells.begin(), cells.end(),
              [](const AddressRange& a, const AddressRange& b) { return a.first < b.first; });
    return cells;
}

std::vector<AddressRange> CellsNotGiven(const std::vector<AddressRange>& cells,
                                        const std::vector<bool>& given)
{
    std::vector<AddressRange> missing;
    for (const AddressRange& range : cells) {
        for (std::int32_t address = range.first; address <= range.last; ++address) {
            const auto index = static_cast<std::size_t>(address);
            if (index >= given.size() || !given[index]) AddToRuns(missing, address);
        }
    }
    return missing;
}

} // namespace zav
