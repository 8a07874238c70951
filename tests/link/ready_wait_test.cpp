// The wait for a board's ready line: no delay when the board is ready, sleeps between polls
// while it is busy, and an end at its deadline that names the line.
#include <gtest/gtest.h>

#include <atomic>
#include <string>

#include "link/programmer_link.h"
#include "link/virtual_clock.h"
#include "recording_ports.h"

namespace zav {
namespace {

constexpr std::uint16_t kStatus = 0x379;
constexpr std::uint16_t kControl = 0x37A;

struct WaitRig {
    // A board of `code` whose ready line says busy (or ready) for as long as `busy` says.
    explicit WaitRig(std::uint8_t code)
    {
        port.clock = &clock;
        port.answer = [this, code](std::uint16_t address) -> std::uint8_t {
            if (code == 2) return address == kStatus && busy ? 0x08 : 0x00;
            // Code 0 of the clock-line kind: status bit 3 never follows the clock, and a busy
            // board holds the clock line high.
            return address == kControl && busy ? 0x01 : 0x00;
        };
        link.Open("LPT1", 0, stop, code);
        port.events.clear();
    }
    [[nodiscard]] int StatusPolls() const
    {
        int polls = 0;
        for (const test::PortEvent& event : port.events) polls += event.write ? 0 : 1;
        return polls;
    }

    bool busy = true;
    test::RecordingParallelPort port;
    VirtualClock clock;
    std::atomic<bool> stop{false};
    ProgrammerLink link{PortAccess{&port, nullptr, &clock}};
};

TEST(ReadyWait, AReadyBoardIsNotKeptWaiting)
{
    WaitRig rig(2);
    rig.busy = false;
    const std::int64_t slept = rig.clock.SleptMs();
    EXPECT_TRUE(rig.link.WaitReady());
    EXPECT_EQ(rig.clock.SleptMs(), slept);
    EXPECT_EQ(rig.StatusPolls(), 1);
}

// A silent board: the wait limit (or an explicit deadline) ends the wait with the line's
// name, after polls a millisecond apart rather than a spin.
TEST(ReadyWait, ABusyLineEndsAtTheDeadlineNamingTheLine)
{
    struct Case {
        std::uint8_t code;
        const char* line;
    };
    for (const Case c : {Case{2, "the status line (pin 15)"}, Case{0, "the clock line (pin 1)"}}) {
        WaitRig rig(c.code);
        ASSERT_EQ(rig.link.LastError(), "") << int(c.code);
        rig.link.SetWaitLimitMs(1'000);
        EXPECT_FALSE(rig.link.WaitReady());
        EXPECT_TRUE(rig.link.WaitTimedOut());
        EXPECT_EQ(rig.link.LastError(),
                  "Programmer Not Ready: no ready signal on " + std::string(c.line) + " within 1 s.");
        EXPECT_LT(rig.StatusPolls(), 1'000 + 300);

        rig.port.events.clear();
        EXPECT_FALSE(rig.link.WaitReady(rig.clock.NowUs() + 100'000));
        EXPECT_LT(rig.StatusPolls(), 100 + 300);

        // A failed wait leaves nothing behind once the board is ready.
        rig.busy = false;
        rig.link.ReadByteAt(0x0110);
        EXPECT_EQ(rig.link.LastError(), "");
        EXPECT_FALSE(rig.link.WaitTimedOut());
    }
}

} // namespace
} // namespace zav
