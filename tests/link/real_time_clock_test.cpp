#include "link/real_time_clock.h"

#include <gtest/gtest.h>

#include <atomic>
#include <chrono>

namespace zav {
namespace {

TEST(WakeUpMarginTest, MarginFollowsTheLatenessWithinItsBounds)
{
    struct Case {
        const char* what;
        std::int64_t latenessUs; // observed again and again
        std::int64_t waitUs;
        std::int64_t marginUs;
    };
    const Case cases[] = {
        {"a quiet machine: twice the lateness and a little", 20, 30'000, 45},
        {"a busy machine: no more than the cap", 2'000, 30'000, WakeUpMargin::kMaxUs},
        {"a short wait spins half of it at most", 200, 300, 150},
        {"early wake-ups count as on time", -50, 1'000, WakeUpMargin::kFloorUs},
        {"no wait, no margin", 20, 0, 0},
    };
    for (const Case& c : cases) {
        WakeUpMargin margin;
        for (int wakeUp = 0; wakeUp < 200; ++wakeUp) margin.Observe(c.latenessUs);
        EXPECT_EQ(margin.MarginUs(c.waitUs), c.marginUs) << c.what;
    }
}

TEST(WakeUpMarginTest, OneLateWakeUpMovesTheMarginOnlyALittle)
{
    WakeUpMargin margin;
    for (int wakeUp = 0; wakeUp < 100; ++wakeUp) margin.Observe(20);
    margin.Observe(5'000);
    EXPECT_LT(margin.UsualLatenessUs(), 60);
}

TEST(RealTimeClockTest, NoWaitEndsBeforeItsTime)
{
    // Fifty 1 ms gaps in a row, as the serial loader's upload makes them: each one whole to
    // the nanosecond, whatever the wake-ups' latency and wherever within a microsecond it
    // starts, since the board counts them from the byte before.
    RealTimeClock clock;
    for (int gap = 0; gap < 50; ++gap) {
        const auto start = std::chrono::steady_clock::now();
        clock.SleepMs(1);
        ASSERT_GE(std::chrono::steady_clock::now() - start, std::chrono::milliseconds(1)) << "gap " << gap;
    }
}

TEST(RealTimeClockTest, StoppedWaitReturnsAtOnceAndAFinishedOneReportsNoStop)
{
    RealTimeClock clock;
    const std::atomic<bool> stopped{true};
    const std::int64_t start = clock.NowUs();
    EXPECT_TRUE(clock.SleepMsUnlessStopped(10'000, stopped));
    EXPECT_LT(clock.NowUs() - start, 1'000'000);

    // Longer than a stop check: slept in stretches, the last one ending on time.
    const std::atomic<bool> running{false};
    for (const int milliseconds : {25, 10, 3}) {
        const auto waitStart = std::chrono::steady_clock::now();
        EXPECT_FALSE(clock.SleepMsUnlessStopped(milliseconds, running));
        EXPECT_GE(std::chrono::steady_clock::now() - waitStart, std::chrono::milliseconds(milliseconds));
    }
}

} // namespace
} // namespace zav
