// The parallel protocol on its own, for what the link does not show: which port's
// registers it drives and the settle delay it calibrated.
#include <gtest/gtest.h>

#include <atomic>

#include "boardsim/simulated_board.h"
#include "link/virtual_clock.h"
#include "parallel_protocol_rig.h"
#include "recording_ports.h"

namespace zav {
namespace {

TEST(ParallelBoardProtocol, DrivesTheOpenedPortsRegistersAndGivesThemBackOnce)
{
    test::RecordingParallelPort parallel;
    VirtualClock clock;
    std::atomic<bool> stop{false};
    test::ParallelProtocolRig rig(parallel, clock, stop);
    ParallelBoardProtocol& protocol = rig.Open(2, 0, 2);
    EXPECT_EQ(protocol.BaseAddress(), 0x278);
    protocol.ClockPulse();
    EXPECT_EQ(parallel.WritesTo(0x278 + 2), (std::vector<std::uint8_t>{1, 0}));
    protocol.Close();
    protocol.Close();
    EXPECT_EQ(protocol.BaseAddress(), 0);
    EXPECT_EQ(parallel.WritesTo(0x278), std::vector<std::uint8_t>{0});
}

// The protocol over the simulated board's LPT1.
struct SimulatedRig {
    explicit SimulatedRig(const BoardSimOptions& options) : board(options) {}
    static BoardSimOptions Options(std::uint8_t code)
    {
        BoardSimOptions options;
        options.boardCode = code;
        return options;
    }
    // Opens for `code`, resets the target and reads the board's identification, as a
    // sequence does before it calibrates.
    ParallelBoardProtocol& OpenAndGreet(std::uint8_t code)
    {
        ParallelBoardProtocol& protocol = protocols.Open(code);
        protocol.ResetTarget();
        EXPECT_EQ(protocol.ReadBoardId(), board.Parallel().BoardId()) << int(code);
        EXPECT_EQ(protocols.LastError(), "");
        return protocol;
    }

    std::atomic<bool> stop{false};
    SimulatedBoard board;
    test::ParallelProtocolRig protocols{board.Parallel(), board.BoardClock(), stop};
};

TEST(ParallelBoardProtocol, CalibrationFindsTheWriteTimeAndRestoresTheCell)
{
    SimulatedRig quick(SimulatedRig::Options(6));
    ParallelBoardProtocol& quickProtocol = quick.OpenAndGreet(6);
    quickProtocol.CalibrateSettleDelay(0x1F01);
    EXPECT_EQ(quickProtocol.SettleDelayMs(), 30);

    BoardSimOptions options = SimulatedRig::Options(6);
    options.eepromWriteMs = 200;
    SimulatedRig rig(options);
    ParallelBoardProtocol& protocol = rig.OpenAndGreet(6);
    rig.board.Target().Poke(0x1F01, 0x3C);
    protocol.CalibrateSettleDelay(0x1F01);
    EXPECT_EQ(rig.protocols.LastError(), "");
    const int delay = protocol.SettleDelayMs();
    EXPECT_TRUE(delay == 60 || delay == 120 || delay == 240) << delay;
    EXPECT_EQ(rig.board.Target().LastWriteTo(0x1F01), 0x3C);
}

TEST(ParallelBoardProtocol, CalibrationOnAStuckCellEndsAt1920AndWritesTheFirstValueBack)
{
    for (const std::uint8_t code : {6, 8}) {
        BoardSimOptions options = SimulatedRig::Options(code);
        options.stuckCell = 0x1F01;
        SimulatedRig rig(options);
        ParallelBoardProtocol& protocol = rig.OpenAndGreet(code);
        rig.board.Target().Poke(0x1F01, 0xA5);
        protocol.CalibrateSettleDelay(0x1F01);
        EXPECT_EQ(protocol.SettleDelayMs(), 1920);
        EXPECT_EQ(rig.protocols.LastError(), "");
        // 30, 60, ... 1920: seven complement writes, then the first value back.
        EXPECT_EQ(rig.board.Target().WriteCount(), 8);
        EXPECT_EQ(rig.board.Target().Peek(0x1F01), 0xA5);
    }
}

} // namespace
} // namespace zav
