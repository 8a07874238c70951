#include "sequences/verify_report.h"

#include "buffer/hex_digits.h"

namespace zav {

namespace {

constexpr std::string_view kDifferenceLine = "Verify Error at Address : 0x";

} // namespace

std::optional<std::string> VerifyReport::Add(const CellDifference& difference)
{
    differences_.push_back(difference);
    if (differences_.size() > kListedLines) return std::nullopt;
    std::string line(kDifferenceLine);
    AppendHexAddress(line, difference.address);
    return line;
}

std::optional<std::string> VerifyReport::UnlistedLine() const
{
    if (differences_.size() <= kListedLines) return std::nullopt;
    return "... " + std::to_string(differences_.size() - kListedLines) + " more verify errors";
}

std::optional<std::string> VerifyReport::FailureLine() const
{
    if (differences_.empty()) return std::nullopt;
    return "Verify failed: " + DifferenceSummary(differences_);
}

bool VerifyReport::IsDifferenceLine(std::string_view line)
{
    return line.starts_with(kDifferenceLine);
}

} // namespace zav
