#include <gtest/gtest.h>

#include "sequences/verify_report.h"

namespace zav::testing {
namespace {

TEST(VerifyReport, ListsTheFirstThousandCellsThenCountsTheRest)
{
    VerifyReport report;
    EXPECT_EQ(report.FailureLine(), std::nullopt);
    EXPECT_EQ(report.UnlistedLine(), std::nullopt);

    int listed = 0;
    for (std::int32_t address = 0x0100; address < 0x0100 + 1003; ++address) {
        const auto line = report.Add({address, 0x00, 0xFF});
        if (line) ++listed;
        if (address == 0x0100) {
            EXPECT_EQ(line, "Verify Error at Address : 0x0100");
        }
    }
    EXPECT_EQ(listed, 1000);
    EXPECT_EQ(report.UnlistedLine(), "... 3 more verify errors");
    EXPECT_EQ(report.FailureLine(), "Verify failed: 1003 cells differ, first at 0x0100");
    EXPECT_EQ(report.Differences().size(), 1003U);
}

} // namespace
} // namespace zav::testing
