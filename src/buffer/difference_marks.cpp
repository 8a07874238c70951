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

void DifferenceMarks::Set(std::vector<CellDifference> differences, DifferenceSource source, std::string fileName)
{
    source_ = source;
    fileName_ = std::move(fileName);
    bufferValues_.clear();
    marks_ = std::move(differences);
    std::sort(marks_.begin(), marks_.end(),
              [](const CellDifference& a, const CellDifference& b) { return a.address < b.address; });
}

std::string DifferenceMarks::Summary() const
{
    if (source_ == DifferenceSource::File) return DifferenceSummary(marks_);
    return marks_.empty() ? "No differences from the last verify" : CellsDifferText(marks_.size());
}

bool DifferenceMarks::Remove(std::int32_t address)
{
    const auto found = std::lower_bound(marks_.begin(), marks_.end(), address, Before);
    if (found == marks_.end() || found->address != address) return false;
    const auto index = static_cast<std::size_t>(found - marks_.begin());
    if (index < bufferValues_.size()) bufferValues_.erase(bufferValues_.begin() + static_cast<std::ptrdiff_t>(index));
    marks_.erase(found);
    return true;
}

void DifferenceMarks::Remember(const BufferValue& value)
{
    bufferValues_.clear();
    for (const CellDifference& mark : marks_) bufferValues_.push_back(value(mark.address));
}

bool DifferenceMarks::DropEdited(std::int32_t first, std::int32_t last, const BufferValue& value)
{
    if (bufferValues_.size() != marks_.size()) Remember(value);
    bool dropped = false;
    std::size_t index = static_cast<std::size_t>(
        std::lower_bound(marks_.begin(), marks_.end(), first, Before) - marks_.begin());
    while (index < marks_.size() && marks_[index].address <= last) {
        if (value(marks_[index].address) != bufferValues_[index]) {
            marks_.erase(marks_.begin() + static_cast<std::ptrdiff_t>(index));
            bufferValues_.erase(bufferValues_.begin() + static_cast<std::ptrdiff_t>(index));
            dropped = true;
        } else {
            ++index;
        }
    }
    return dropped;
}

std::optional<CellDifference> DifferenceMarks::Find(std::int32_t address) const
{
    const auto found = std::lower_bound(marks_.begin(), marks_.end(), address, Before);
    if (found == marks_.end() || found->address != address) return std::nullopt;
    return *found;
}

std::span<const CellDifference> DifferenceMarks::Within(std::int32_t first, std::int32_t last) const
{
    const auto begin = std::lower_bound(marks_.begin(), marks_.end(), first, Before);
    const auto end = std::lower_bound(begin, marks_.end(), last + 1, Before);
    return {begin, end};
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
