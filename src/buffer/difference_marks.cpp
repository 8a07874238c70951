#include "buffer/difference_marks.h"

#include <algorithm>
#include <iterator>
#include <utility>

namespace zav {

namespace {

bool Before(const CellDifference& difference, std::int32_t address)
{
    return difference.address < address;
}

} // namespace

void DifferenceMarks::Set(std::vector<CellDifference> differences)
{
    marks_ = std::move(differences);
    std::sort(marks_.begin(), marks_.end(),
              [](const CellDifference& a, const CellDifference& b) { return a.address < b.address; });
}

bool DifferenceMarks::Remove(std::int32_t address)
{
    const auto found = std::lower_bound(marks_.begin(), marks_.end(), address, Before);
    if (found == marks_.end() || found->address != address) return false;
    marks_.erase(found);
    return true;
}

std::optional<CellDifference> DifferenceMarks::Find(std::int32_t address) const
{
    const auto found = std::lower_bound(marks_.begin(), marks_.end(), address, Before);
    if (found == marks_.end() || found->address != address) return std::nullopt;
    return *found;
}

std::optional<std::int32_t> DifferenceMarks::Next(std::int32_t address) const
{
    if (marks_.empty()) return std::nullopt;
    const auto after = std::lower_bound(marks_.begin(), marks_.end(), address + 1, Before);
    return after == marks_.end() ? marks_.front().address : after->address;
}

std::optional<std::int32_t> DifferenceMarks::Previous(std::int32_t address) const
{
    if (marks_.empty()) return std::nullopt;
    const auto at = std::lower_bound(marks_.begin(), marks_.end(), address, Before);
    return at == marks_.begin() ? marks_.back().address : std::prev(at)->address;
}

} // namespace zav
