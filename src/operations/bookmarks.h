#pragma once

#include <cstdint>
#include <optional>
#include <set>

namespace zav {

// The editor's bookmarked cells. They last while the program runs; the file formats have
// no place for them, so they are never saved.
class Bookmarks {
public:
    // Sets a bookmark on the cell, or takes it away if there is one.
    void Toggle(std::int32_t address);
    [[nodiscard]] bool Contains(std::int32_t address) const { return marks_.contains(address); }
    // Whether any of the sixteen cells of the row starting at rowAddress is bookmarked.
    [[nodiscard]] bool RowHasBookmark(std::int32_t rowAddress) const;
    // The next bookmark after the address, round to the first after the last; nothing when
    // there is no bookmark elsewhere.
    [[nodiscard]] std::optional<std::int32_t> Next(std::int32_t address) const;
    [[nodiscard]] std::optional<std::int32_t> Previous(std::int32_t address) const;

private:
    std::set<std::int32_t> marks_;
};

} // namespace zav
