#include "operations/find_pattern.h"

#include <cstring>
#include <new>
#include <vector>

#include "buffer/memory_buffer.h"
#include "buffer/numeric_helpers.h"

namespace zav {

namespace {

// `cellAt(a)` gives the comparable value of cell a for any a >= 0.
template <typename CellAt>
std::optional<std::int32_t> Search(std::int32_t start, int step, std::int32_t lastAddress,
                                   std::span<const std::uint8_t> pattern, CellAt&& cellAt)
{
    for (std::int32_t address = start; address >= 0 && address <= lastAddress; address += step) {
        std::size_t matched = 0;
        while (matched < pattern.size() &&
               cellAt(address + static_cast<std::int32_t>(matched)) == pattern[matched]) {
            ++matched;
        }
        if (matched == pattern.size()) return address;
    }
    return std::nullopt;
}

std::uint8_t Comparable(std::uint8_t value, bool textMode)
{
    return textMode ? static_cast<std::uint8_t>(LowerCaseChar(static_cast<char>(value))) : value;
}

} // namespace

std::optional<std::int32_t> FindPattern(const MemoryBuffer& buffer, std::int32_t start, int step,
                                        std::span<const std::uint8_t> pattern, bool textMode)
{
    step = step < 0 ? -1 : 1;
    const std::int32_t lastAddress = buffer.LastAddress();
    // A copy of the cells, padded with the zeros read beyond the end, lets every address be
    // compared as one block; without the memory for it, the cells are read one by one.
    std::vector<std::uint8_t> cells;
    try {
        cells.resize(static_cast<std::size_t>(lastAddress) + 1 + pattern.size());
    } catch (const std::bad_alloc&) {
        return Search(start, step, lastAddress, pattern,
                      [&](std::int32_t address) { return Comparable(buffer.GetByte(address), textMode); });
    }
    for (std::int32_t address = 0; address <= lastAddress; ++address) {
        cells[static_cast<std::size_t>(address)] = Comparable(buffer.GetByte(address), textMode);
    }
    for (std::int32_t address = start; address >= 0 && address <= lastAddress; address += step) {
        if (pattern.empty() ||
            std::memcmp(&cells[static_cast<std::size_t>(address)], pattern.data(), pattern.size()) == 0) {
            return address;
        }
    }
    return std::nullopt;
}

} // namespace zav
