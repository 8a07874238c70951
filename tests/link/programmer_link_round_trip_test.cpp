#include <gtest/gtest.h>

#include <atomic>

#include "boardsim/simulated_board.h"
#include "link/programmer_link.h"

namespace zav {
namespace {

TEST(ProgrammerLinkRoundTrip, WritesAndReadsACellOnEveryParallelBoardCode)
{
    for (const std::uint8_t code : {0, 2, 3, 4, 6, 8}) {
        BoardSimOptions options;
        options.boardCode = code;
        SimulatedBoard board(options);
        std::atomic<bool> stop{false};
        ProgrammerLink link(board.Access());
        link.Open("LPT1", 0, stop, code);
        ASSERT_EQ(link.LastError(), "") << int(code);
        link.ResetTarget();
        if (code == 2 || code == 4 || code == 8) {
            EXPECT_EQ(link.ReadBoardId(), board.Parallel().BoardId());
        }
        const std::uint16_t address = code <= 3 ? 0x0105 : 0x1F05;
        link.WriteByteAt(address, 0x5C);
        EXPECT_EQ(link.ReadByteAt(address), 0x5C) << int(code);
        EXPECT_EQ(link.LastError(), "");
    }
}

} // namespace
} // namespace zav
