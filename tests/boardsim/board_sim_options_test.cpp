#include <gtest/gtest.h>

#include <utility>

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
    // Each refusal says what was wrong with the item it quotes.
    const std::pair<const char*, const char*> cases[] = {
        {"old-board,bogus", "unknown simulator option: bogus"},
        {"hc11=pa8", "hc11=pa8: the variant is one of PA8, P2, KA4, none"},
        {"hc11=", "hc11=: the variant is one of"},
        {"loader-fails=-1", "loader-fails=-1: not a number from 0 to 1000000"},
        {"loader-fails=x", "loader-fails=x: not a number"},
        {"stuck-cell=0x10000", "stuck-cell=0x10000: the address is out of range 0 to 0xFFFF"},
        {"stuck-cell=0x", "stuck-cell=0x: the address is out of range"},
        {"write-ms=12ms", "write-ms=12ms: not a number"},
        {"realtime=1", "unknown simulator option: realtime=1"},
        {"=5", "unknown simulator option: =5"},
        {"old-board=yes", "unknown simulator option: old-board=yes"},
    };
    for (const auto& [bad, reason] : cases) {
        BoardSimOptions options;
        std::string error;
        EXPECT_FALSE(ParseBoardSimOptions(bad, options, error)) << bad;
        EXPECT_EQ(error.rfind(reason, 0), 0u) << error;
        EXPECT_EQ(options, BoardSimOptions{}) << bad;
    }
}

} // namespace
} // namespace zav
