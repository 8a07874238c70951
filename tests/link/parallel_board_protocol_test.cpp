// The parallel protocol on its own, for what the link does not show: which port's
// registers it drives.
#include <gtest/gtest.h>

#include <atomic>

#include "link/virtual_clock.h"
#include "parallel_protocol_rig.h"

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

} // namespace
} // namespace zav
