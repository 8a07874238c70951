// Protocol misreadings the simulated board catches by behaviour, without a recorded trace:
// a serial read that keeps what came before its command, command bytes sent too far apart,
// a ready line read with the wrong sense, data lines left driven after the port is released.
#include <gtest/gtest.h>

#include <atomic>

#include "boardsim/simulated_board.h"
#include "link/programmer_link.h"
#include "parallel_protocol_rig.h"

namespace zav {
namespace {

struct Rig {
    explicit Rig(const BoardSimOptions& options, std::uint8_t linkCode) : board(options), link(board.Access())
    {
        // A wrong ready sense ends in a timed-out wait instead of a wait for ever.
        link.SetWaitLimitMs(5'000);
        link.Open(linkCode == 1 ? "COM1" : "LPT1", 0, stop, linkCode);
    }
    std::atomic<bool> stop{false};
    SimulatedBoard board;
    ProgrammerLink link;
};

BoardSimOptions Board(std::uint8_t code)
{
    BoardSimOptions options;
    options.boardCode = code;
    return options;
}

// With a stray byte after every answer, each read still gets its own cell's value.
TEST(LinkMisreading, SerialReadsDiscardWhatCameBeforeTheirCommand)
{
    BoardSimOptions options = Board(1);
    options.strayByte = true;
    Rig rig(options, 1);
    rig.link.ResetTarget();
    ASSERT_TRUE(rig.link.UploadLoader());
    for (std::uint16_t i = 0; i < 4; ++i) rig.link.WriteByteAt(0x0310 + i, static_cast<std::uint8_t>(0x40 + i));
    for (std::uint16_t i = 0; i < 4; ++i) EXPECT_EQ(rig.link.ReadByteAt(0x0310 + i), 0x40 + i) << i;
    EXPECT_EQ(rig.link.LastError(), "");
}

// Boards paced by their ready line, both kinds of ready line: back-to-back writes and reads
// come through, and no command reaches a board still busy programming.
TEST(LinkMisreading, ReadyLinesAreReadWithTheirOwnSense)
{
    struct Case {
        std::uint8_t code;
        bool clockReadback;
    };
    for (const Case c : {Case{0, false}, Case{0, true}, Case{2, false}, Case{3, false}, Case{3, true}}) {
        SCOPED_TRACE(testing::Message() << "code " << int(c.code) << (c.clockReadback ? " clock line" : ""));
        BoardSimOptions options = Board(c.code);
        options.clockReadback = c.clockReadback;
        Rig rig(options, c.code);
        ASSERT_EQ(rig.link.LastError(), "");
        rig.link.ResetTarget();
        if (c.code == 2) {
            EXPECT_EQ(rig.link.ReadBoardId(), 0xA1);
        }
        const std::uint16_t cell = c.code == 3 ? 0x0D90 : 0x0110;
        for (std::uint16_t i = 0; i < 3; ++i) rig.link.WriteByteAt(cell + i, static_cast<std::uint8_t>(0x5A + i));
        for (std::uint16_t i = 0; i < 3; ++i) EXPECT_EQ(rig.link.ReadByteAt(cell + i), 0x5A + i);
        EXPECT_EQ(rig.link.LastError(), "");
        EXPECT_EQ(rig.board.Parallel().RefusedCommands(), 0);
        // The ready line the parallel protocol finds on the same board.
        rig.link.Close();
        test::ParallelProtocolRig protocols(rig.board.Parallel(), rig.board.BoardClock(), rig.stop);
        EXPECT_EQ(protocols.Open(c.code).ReadyOnStatusLine(), !c.clockReadback);
    }
}

// However a session ended (a read leaves the data line released high), the port is given
// back with every data line low.
TEST(LinkMisreading, ThePortIsReleasedWithItsDataLinesLow)
{
    for (std::uint8_t code = 0; code < ProgrammerLink::kBoardCodeCount; ++code) {
        if (code == 1) continue;
        Rig rig(Board(code), code);
        ASSERT_EQ(rig.link.LastError(), "") << int(code);
        rig.link.ResetTarget();
        (void)rig.link.ReadBoardId();
        (void)rig.link.ReadByteAt(0x1F00);
        rig.link.Close();
        EXPECT_EQ(rig.board.Parallel().DataAtRelease(), std::optional<std::uint8_t>(0)) << int(code);
    }
}

} // namespace
} // namespace zav
