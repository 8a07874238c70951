#pragma once

#include <cstdint>
#include <span>
#include <vector>

namespace zav {

class MemoryBuffer;

// Which of the cells first..last belong to a match of the pattern, so the editor can mark
// every match in view after a search; a match that starts before `first` counts too. Cells
// compare as the find dialog compares them (text mode: A-Z as a-z, the pattern is folded).
[[nodiscard]] std::vector<bool> MatchedCells(const MemoryBuffer& buffer, std::int32_t first, std::int32_t last,
                                             std::span<const std::uint8_t> pattern, bool textMode);

// Whether the cells from `address` on hold the pattern.
[[nodiscard]] bool MatchesAt(const MemoryBuffer& buffer, std::int32_t address,
                             std::span<const std::uint8_t> pattern, bool textMode);

} // namespace zav
