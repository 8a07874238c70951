#pragma once

#include <cstddef>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "buffer/cell_difference.h"

namespace zav {

// What a verify found: every differing cell, kept for the editor's marks and the differences
// list, and the lines that tell the user. A part with hundreds of bad cells must not bury the
// message list, so only the first kListedLines cells get a line of their own.
class VerifyReport {
public:
    static constexpr std::size_t kListedLines = 1000;

    // The cell's "Verify Error at Address : 0x...." line while fewer than kListedLines were
    // listed; none after that.
    [[nodiscard]] std::optional<std::string> Add(const CellDifference& difference);
    // "... N more verify errors" for the cells left unlisted; none when every cell was listed.
    [[nodiscard]] std::optional<std::string> UnlistedLine() const;
    // "Verify failed: N cells differ, first at 0x....": the sequence's last line in place of
    // its success line; none when nothing differed.
    [[nodiscard]] std::optional<std::string> FailureLine() const;
    // Whether a status line is one cell's line of Add, for whoever counts them.
    [[nodiscard]] static bool IsDifferenceLine(std::string_view line);

    [[nodiscard]] const std::vector<CellDifference>& Differences() const { return differences_; }

private:
    std::vector<CellDifference> differences_;
};

} // namespace zav
