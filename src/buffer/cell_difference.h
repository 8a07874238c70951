#pragma once

#include <cstdint>
#include <functional>
#include <string>
#include <string_view>
#include <vector>

#include "buffer/address_range.h"

namespace zav {

// One cell whose device value is not the value it was compared with: the buffer's value,
// or 0xFF when a verify after an erase alone expects an erased part.
struct CellDifference {
    std::int32_t address = 0;
    std::uint8_t expected = 0;
    std::uint8_t device = 0;
    bool operator==(const CellDifference&) const = default;
};

// "B605 buffer 5A device FF": how the differences list and zavtool print a cell; a cell
// compared with a file names the other side "file".
[[nodiscard]] std::string DifferenceLine(const CellDifference& difference, std::string_view otherSide = "device");
// DifferenceLine of each, one a line, each ended by a line feed.
[[nodiscard]] std::string DifferencesText(const std::vector<CellDifference>& differences,
                                          std::string_view otherSide = "device");
// "1 cell differs" or "N cells differ".
[[nodiscard]] std::string CellsDifferText(std::size_t count);
// CellsDifferText and ", first at 0x...." for differences in address order, or "No differences".
[[nodiscard]] std::string DifferenceSummary(const std::vector<CellDifference>& differences);
// The differing cells, in address order, as runs of neighbouring addresses.
[[nodiscard]] std::vector<AddressRange> DifferenceRuns(const std::vector<CellDifference>& differences);

// The cells of `range` where `first` and `second` differ, as runs of neighbouring addresses.
// Both must hold every address of the range.
[[nodiscard]] std::vector<AddressRange> DifferingRuns(const std::vector<std::uint8_t>& first,
                                                      const std::vector<std::uint8_t>& second,
                                                      AddressRange range);
// The same for any rule of which cells differ.
[[nodiscard]] std::vector<AddressRange> DifferingRuns(const std::function<bool(std::int32_t)>& differs,
                                                      AddressRange range);

} // namespace zav
