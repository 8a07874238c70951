#include <gtest/gtest.h>

#include <atomic>
#include <chrono>
#include <thread>

#include "boardsim/simulated_board.h"
#include "link/programmer_link.h"

namespace zav {
namespace {

// A board that never signals ready keeps WaitReady polling until another thread sets
// the stop request, as the Stop button does.
TEST(StopRequest, AnotherThreadEndsAWaitOnABoardThatNeverGetsReady)
{
    for (const std::uint8_t code : {0, 2, 3}) {
        BoardSimOptions options;
        options.boardCode = code;
        options.neverReady = true;
        SimulatedBoard board(options);
        std::atomic<bool> stop{false};
        ProgrammerLink link(board.Access());
        link.Open("LPT1", 0, stop, code);
        ASSERT_EQ(link.LastError(), "");

        std::thread stopper([&stop] {
            std::this_thread::sleep_for(std::chrono::milliseconds(20));
            stop = true;
        });
        const std::uint8_t value = link.ReadByteAt(0x0100);
        stopper.join();
        EXPECT_EQ(value, 0);
        EXPECT_EQ(link.LastError(), "Programmer Not Ready.") << int(code);
    }
}

} // namespace
} // namespace zav
