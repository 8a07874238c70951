#include "sequences/prog_bar_sim_th.h"

#include <gtest/gtest.h>

#include <chrono>
#include <future>

#include "fake_sequence_host.h"
#include "sequences/hand_over_host.h"
#include "threads/hand_over_queue.h"

namespace zav {
namespace {

using std::chrono::milliseconds;

// Drives a simulation on virtual time: every step's wait advances a clock, and termination
// is requested once it passes stopAtMs, as the owning sequence would after that long.
class ProgBarSimThTest : public ::testing::Test {
protected:
    void RunUntil(int stopAtMs)
    {
        std::promise<ProgBarSimTh*> self;
        std::shared_future<ProgBarSimTh*> selfReady = self.get_future().share();
        auto wait = [&, stopAtMs](milliseconds interval) {
            waits.push_back(interval);
            nowMs += static_cast<int>(interval.count());
            if (nowMs >= stopAtMs) selfReady.get()->RequestTermination();
        };
        ProgBarSimTh simulation(workerHost, ProgBarSimTh::kSequenceStepInterval, wait);
        self.set_value(&simulation);
        queue->DrainUntil([&] { return simulation.Finished(); });
    }

    testing::FakeSequenceHost host;
    std::shared_ptr<HandOverQueue> queue = HandOverQueue::Create();
    HandOverHost workerHost{host, queue};
    std::vector<milliseconds> waits;
    int nowMs = 0;
};

TEST_F(ProgBarSimThTest, StoppedAfter250MsItHasMadeThreeStepsAndShowsZero)
{
    RunUntil(250);
    EXPECT_EQ(host.progressMaximum, 100);
    EXPECT_EQ(host.progressPositions, (std::vector<int>{1, 2, 3, 0}));
    EXPECT_EQ(waits, (std::vector<milliseconds>(3, milliseconds(100))));
    EXPECT_EQ(host.callsOffUiThread, 0);
}

TEST_F(ProgBarSimThTest, WrapsABarLeftAtItsMaximumToZero)
{
    host.progressPosition = 100;
    RunUntil(1);
    EXPECT_EQ(waits.size(), 1u);
    EXPECT_EQ(host.progressPositions, (std::vector<int>{0, 0}));
}

TEST_F(ProgBarSimThTest, WrapsAfterAFullSweep)
{
    RunUntil(10'200);
    // 102 steps: 1..100, then 0, then 1.
    ASSERT_EQ(waits.size(), 102u);
    EXPECT_EQ(host.progressPositions[99], 100);
    EXPECT_EQ(host.progressPositions[100], 0);
    EXPECT_EQ(host.progressPositions[101], 1);
}

TEST_F(ProgBarSimThTest, AStopCutsItsRealTimeWaitShort)
{
    // An interval of 1000 s: without the early end this test would hang.
    ProgBarSimTh simulation(workerHost, 100'000);
    std::thread stopper([&] { simulation.Stop(); });
    queue->DrainUntil([&] { return simulation.Finished(); });
    stopper.join();
    EXPECT_EQ(host.progressPosition, 0);
    EXPECT_GE(host.highestProgress, 1);
}

} // namespace
} // namespace zav
