#include "operations/find_matches.h"

#include <algorithm>

#include "buffer/memory_buffer.h"
#include "buffer/numeric_helpers.h"

namespace zav {

bool MatchesAt(const MemoryBuffer& buffer, std::int32_t address, std::span<const std::uint8_t> pattern,
               bool textMode)
{
    if (pattern.empty() || address < 0 || address > buffer.LastAddress()) return false;
    for (std::size_t index = 0; index < pattern.size(); ++index) {
        std::uint8_t value = buffer.GetByte(address + static_cast<std::int32_t>(index));
        if (textMode) value = static_cast<std::uint8_t>(LowerCaseChar(static_cast<char>(value)));
        if (value != pattern[index]) return false;
    }
    return true;
}

std::vector<bool> MatchedCells(const MemoryBuffer& buffer, std::int32_t first, std::int32_t last,
                               std::span<const std::uint8_t> pattern, bool textMode)
{
    std::vector<bool> matched(last >= first ? static_cast<std::size_t>(last - first + 1) : 0, false);
    if (pattern.empty()) return matched;
    const auto length = static_cast<std::int32_t>(pattern.size());
    for (std::int32_t start = std::max(0, first - length + 1); start <= last; ++start) {
        if (!MatchesAt(buffer, start, pattern, textMode)) continue;
        for (std::int32_t address = std::max(start, first); address <= std::min(last, start + length - 1); ++address) {
            matched[static_cast<std::size_t>(address - first)] = true;
        }
    }
    return matched;
}

} // namespace zav
