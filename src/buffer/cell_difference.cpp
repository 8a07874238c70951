#include "buffer/cell_difference.h"

#include "buffer/hex_digits.h"

namespace zav {

std::string DifferenceLine(const CellDifference& difference, std::string_view otherSide)
{
    std::string line;
    AppendHexAddress(line, difference.address);
    line += " buffer ";
    AppendHexByte(line, difference.expected);
    line += ' ';
    line += otherSide;
    line += ' ';
    AppendHexByte(line, difference.device);
    return line;
}

std::string DifferencesText(const std::vector<CellDifference>& differences, std::string_view otherSide)
{
    std::string text;
    for (const CellDifference& difference : differences) text += DifferenceLine(difference, otherSide) + '\n';
    return text;
}

std::string CellsDifferText(std::size_t count)
{
    return count == 1 ? "1 cell differs" : std::to_string(count) + " cells differ";
}

std::string DifferenceSummary(const std::vector<CellDifference>& differences)
{
    if (differences.empty()) return "No differences";
    std::string text = CellsDifferText(differences.size()) + ", first at 0x";
    AppendHexAddress(text, differences.front().address);
    return text;
}

std::vector<AddressRange> DifferenceRuns(const std::vector<CellDifference>& differences)
{
    std::vector<AddressRange> runs;
    for (const CellDifference& difference : differences) {
        AddToRuns(runs, difference.address);
    }
    return runs;
}

std::vector<AddressRange> DifferingRuns(const std::vector<std::uint8_t>& first,
                                        const std::vector<std::uint8_t>& second, AddressRange range)
{
    return DifferingRuns(
        [&](std::int32_t address) {
            const auto index = static_cast<std::size_t>(address);
            return first[index] != second[index];
        },
        range);
}

std::vector<AddressRange> DifferingRuns(const std::function<bool(std::int32_t)>& differs, AddressRange range)
{
    std::vector<AddressRange> runs;
    for (std::int32_t address = range.first; address <= range.last; ++address) {
        if (differs(address)) AddToRuns(runs, address);
    }
    return runs;
}

} // namespace zav
