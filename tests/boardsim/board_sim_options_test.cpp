#include <gtest/gtest.h>

#include "boardsim/board_sim_options.h"

namespace zav {
namespace {

TEST(BoardSimOptions, ReadsEverySwitchOfTheSimulateList)
{
    BoardSimOptions options;
    std::string error;
    ASSERT_TRUE(ParseBoardSimOptions("old-board,no-board,wrong-id,never-ready,clock-readback,hc11=PA8,"
                                     "loader-fails=3,stuck-cell=0x1F05,realtime,slow-port,write-ms=25",
                                     options, error))
        << error;
    EXPECT_TRUE(options.oldBoard && options.noBoard && options.wrongId && options.neverReady);
    EXPECT_TRUE(options.clockReadback && options.realTime && options.slowPortWrites);
    EXPECT_EQ(options.hc11, Hc11Variant::PA8);
    EXPECT_EQ(options.loaderFailures, 3);
    EXPECT_EQ(options.stuckCell, 0x1F05);
    EXPECT_EQ(options.eepromWriteMs, 25);
    EXPECT_EQ(error, "");

    ASSERT_TRUE(ParseBoardSimOptions("hc11=none,stuck-cell=260,,", options, error));
    EXPECT_EQ(options.hc11, Hc11Variant::None);
    EXPECT_EQ(options.stuckCell, 260);
}

TEST(BoardSimOptions, EmptyListKeepsTheDefaults)
{
    BoardSimOptions options;
    options.boardCode = 6;
    std::string error = "stale";
    ASSERT_TRUE(ParseBoardSimOptions("", options, error));
    BoardSimOptions expected;
    expected.boardCode = 6;
    EXPECT_EQ(options, expected);
    EXPECT_EQ(error, "");
}

TEST(BoardSimOptions, RejectsUnknownOrMalformedItemsAndChangesNothing)
{
    for (const char* bad :
         {"old-board,bogus", "hc11=pa8", "hc11=", "loader-fails=-1", "loader-fails=x", "stuck-cell=0x10000",
          "stuck-cell=0x", "write-ms=12ms", "realtime=1", "=5", "old-board=yes"}) {
        BoardSimOptions options;
        std::string error;
        EXPECT_FALSE(ParseBoardSimOptions(bad, options, error)) << bad;
        EXPECT_EQ(error.rfind("unknown simulator option: ", 0), 0u) << error;
        EXPECT_EQ(options, BoardSimOptions{}) << bad;
    }
}

} // namespace
} // namespace zav
