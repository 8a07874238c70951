#include "operations/bookmarks.h"

namespace zav {

void Bookmarks::Toggle(std::int32_t address)
{
    if (!marks_.erase(address)) marks_.insert(address);
}

bool Bookmarks::RowHasBookmark(std::int32_t rowAddress) const
{
    const auto mark = marks_.lower_bound(rowAddress);
    return mark != marks_.end() && *mark < rowAddress + 16;
}

std::optional<std::int32_t> Bookmarks::Next(std::int32_t address) const
{
    auto mark = marks_.upper_bound(address);
    if (mark == marks_.end()) mark = marks_.begin();
    if (mark == marks_.end() || *mark == address) return std::nullopt;
    return *mark;
}

std::optional<std::int32_t> Bookmarks::Previous(std::int32_t address) const
{
    auto mark = marks_.lower_bound(address);
    if (mark == marks_.begin()) mark = marks_.end();
    if (mark == marks_.begin()) return std::nullopt;
    --mark;
    if (*mark == address) return std::nullopt;
    return *mark;
}

} // namespace zav
