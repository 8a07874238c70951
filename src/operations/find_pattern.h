#pragma once

#include <cstdint>
#include <optional>
#include <span>

namespace zav {

class MemoryBuffer;

// The first address, from `start` stepping by +1 or -1 while inside the buffer, at which the
// cells hold the pattern; cells beyond the end read as 0. In text mode the cells' letters
// A-Z compare as a-z (the pattern is folded already). An empty pattern matches at `start`.
[[nodiscard]] std::optional<std::int32_t> FindPattern(const MemoryBuffer& buffer, std::int32_t start,
                                                      int step, std::span<const std::uint8_t> pattern,
                                                      bool textMode);

} // namespace zav
