#pragma once

#include <cstdint>
#include <vector>

namespace zav {

class THexEdit;
struct EditorActionTable;

// Find, Search Again and Replace, and the marks of the last search: after a search every
// match of its pattern in view is marked until the next one.
class FindCommands {
public:
    FindCommands(THexEdit& editor, EditorActionTable& table);

    void SetLive(bool live);
    void SetReplaceLive(bool live);
    // Search Again works once the find dialog exists.
    void FollowDialogs();
    void SetHighlight(std::vector<std::uint8_t> pattern, bool textMode);
    // Which of the cells first..last the last search's matches cover.
    [[nodiscard]] std::vector<bool> HighlightedCells(std::int32_t first, std::int32_t last) const;

private:
    void Find();

    THexEdit& editor_;
    EditorActionTable& actions_;
    std::vector<std::uint8_t> pattern_;
    bool textMode_ = false;
};

} // namespace zav
