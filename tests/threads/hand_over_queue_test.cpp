#include "threads/hand_over_queue.h"

#include <gtest/gtest.h>

#include <atomic>
#include <stdexcept>
#include <string>
#include <thread>
#include <vector>

namespace zav {
namespace {

TEST(HandOverQueue, RunsPostsAndCallsOnTheDrainingThreadInTheOrderIssued)
{
    const auto owner = HandOverQueue::Create();
    HandOverQueue& queue = *owner;
    std::vector<int> order;
    std::vector<std::thread::id> ranOn;
    std::atomic<bool> done{false};
    int answer = 0;

    std::thread worker([&] {
        queue.Post([&] { order.push_back(1), ranOn.push_back(std::this_thread::get_id()); });
        answer = queue.Call([&] {
            order.push_back(2);
            ranOn.push_back(std::this_thread::get_id());
            return 42;
        });
        queue.Post([&] { order.push_back(3), ranOn.push_back(std::this_thread::get_id()); });
        queue.Call([&] { order.push_back(4); });
        done = true;
        queue.Wake();
    });
    queue.DrainUntil([&] { return done.load(); });
    worker.join();

    EXPECT_EQ(answer, 42);
    EXPECT_EQ(order, (std::vector<int>{1, 2, 3, 4}));
    for (std::thread::id id : ranOn) EXPECT_EQ(id, std::this_thread::get_id());
}

TEST(HandOverQueue, DrainUntilRunsEverythingQueuedBeforeTheConditionHeld)
{
    const auto owner = HandOverQueue::Create();
    HandOverQueue& queue = *owner;
    std::atomic<bool> done{false};
    int ran = 0;
    std::thread worker([&] {
        for (int i = 0; i < 1000; ++i) queue.Post([&] { ++ran; });
        done = true;
        queue.Wake();
    });
    queue.DrainUntil([&] { return done.load(); });
    worker.join();
    EXPECT_EQ(ran, 1000);
    EXPECT_EQ(queue.Drain(), 0u);
}

TEST(HandOverQueue, KeepsEachWorkersOrderWhenSeveralPostAtOnce)
{
    const auto owner = HandOverQueue::Create();
    HandOverQueue& queue = *owner;
    std::vector<int> seenA;
    std::vector<int> seenB;
    std::atomic<int> finished{0};
    auto work = [&](std::vector<int>& seen) {
        for (int i = 0; i < 500; ++i) {
            if (i % 50 == 0) {
                queue.Call([&seen, i] { seen.push_back(i); });
            } else {
                queue.Post([&seen, i] { seen.push_back(i); });
            }
        }
        ++finished;
        queue.Wake();
    };
    std::thread a(work, std::ref(seenA));
    std::thread b(work, std::ref(seenB));
    queue.DrainUntil([&] { return finished.load() == 2; });
    a.join();
    b.join();
    ASSERT_EQ(seenA.size(), 500u);
    ASSERT_EQ(seenB.size(), 500u);
    for (int i = 0; i < 500; ++i) {
        EXPECT_EQ(seenA[i], i);
        EXPECT_EQ(seenB[i], i);
    }
}

TEST(HandOverQueue, WakesTheEventLoopOnlyWhenACallArrivesInAnEmptyQueue)
{
    const auto owner = HandOverQueue::Create();
    HandOverQueue& queue = *owner;
    int wakeUps = 0;
    queue.SetWakeUp([&] { ++wakeUps; });
    queue.Post([] {});
    queue.Post([] {});
    EXPECT_EQ(wakeUps, 1);
    EXPECT_EQ(queue.Drain(), 2u);
    queue.Post([] {});
    EXPECT_EQ(wakeUps, 2);
}

TEST(HandOverQueue, ACallMayDrainTheQueueAgainWhileItRuns)
{
    // A modal box shown by one call runs a nested event loop, which drains again.
    const auto owner = HandOverQueue::Create();
    HandOverQueue& queue = *owner;
    std::vector<std::string> order;
    std::atomic<bool> done{false};
    std::thread worker([&] {
        queue.Post([&] {
            order.push_back("box opens");
            queue.Drain();
            order.push_back("box closes");
        });
        queue.Post([&] { order.push_back("progress"); });
        done = true;
        queue.Wake();
    });
    worker.join();
    queue.DrainUntil([&] { return done.load(); });
    EXPECT_EQ(order, (std::vector<std::string>{"box opens", "progress", "box closes"}));
}

TEST(HandOverQueue, AWorkerThatNeverStopsPostingNeitherHoldsTheDrainerNorFillsTheMemory)
{
    // A retry loop on virtual time posts lines as fast as it can until it is stopped.
    const auto owner = HandOverQueue::Create();
    HandOverQueue& queue = *owner;
    std::atomic<bool> stop{false};
    std::atomic<bool> workerDone{false};
    std::size_t posted = 0;
    std::size_t ran = 0;
    std::thread worker([&] {
        while (!stop.load()) {
            queue.PostPaced([&] { ++ran; });
            ++posted;
        }
        workerDone = true;
    });
    std::size_t passes = 0;
    queue.DrainUntil([&] { return ++passes > 3; });
    stop = true;
    while (!workerDone.load()) queue.Drain();
    worker.join();
    queue.Drain();
    EXPECT_EQ(ran, posted);
}

TEST(HandOverQueue, APassLeavesLaterCallsForTheNextWakeUp)
{
    const auto owner = HandOverQueue::Create();
    HandOverQueue& queue = *owner;
    int wakeUps = 0;
    std::vector<int> order;
    queue.SetWakeUp([&] { ++wakeUps; });
    queue.Post([&] {
        order.push_back(1);
        queue.Post([&] { order.push_back(2); });
    });
    EXPECT_EQ(queue.Drain(), 1u);
    EXPECT_GE(wakeUps, 2); // the second call is not left without a pass to run it
    EXPECT_EQ(queue.Drain(), 1u);
    EXPECT_EQ(order, (std::vector<int>{1, 2}));
}

// A call whose task throws on the user-interface thread still ends: the worker gets the
// exception, the drainer goes on, and a later call works.
TEST(HandOverQueue, ACallThatThrowsHandsTheFailureToTheWorker)
{
    const auto owner = HandOverQueue::Create();
    HandOverQueue& queue = *owner;
    std::atomic<bool> done{false};
    std::string caught;
    int later = 0;
    std::thread worker([&] {
        try {
            (void)queue.Call([]() -> int { throw std::runtime_error("no printer"); });
        } catch (const std::runtime_error& error) {
            caught = error.what();
        }
        later = queue.Call([] { return 7; });
        done = true;
        queue.Wake();
    });
    queue.DrainUntil([&] { return done.load(); });
    worker.join();
    EXPECT_EQ(caught, "no printer");
    EXPECT_EQ(later, 7);
}

// A posted task that throws surfaces on the draining thread; the calls behind it still run.
TEST(HandOverQueue, APostThatThrowsEndsThePassButNotTheQueue)
{
    const auto owner = HandOverQueue::Create();
    HandOverQueue& queue = *owner;
    int wakeUps = 0;
    int ran = 0;
    queue.SetWakeUp([&] { ++wakeUps; });
    queue.Post([] { throw std::runtime_error("paint failed"); });
    queue.Post([&] { ++ran; });
    EXPECT_THROW(queue.Drain(), std::runtime_error);
    EXPECT_EQ(wakeUps, 2); // the first post, then the call left behind
    EXPECT_EQ(queue.Drain(), 1u);
    EXPECT_EQ(ran, 1);
}

// Waiting for an answer that only this thread can give would hang forever: it fails instead.
TEST(HandOverQueue, ACallFromTheDrainingThreadFailsLoudly)
{
    const auto owner = HandOverQueue::Create();
    HandOverQueue& queue = *owner;
    EXPECT_FALSE(queue.OnDrainingThread());
    queue.Drain();
    EXPECT_TRUE(queue.OnDrainingThread());
#ifdef NDEBUG
    EXPECT_THROW((void)queue.Call([] { return 1; }), std::logic_error);
#else
    EXPECT_DEATH((void)queue.Call([] { return 1; }), "draining thread");
#endif
    // Posting from the drainer never waits for room, even with the queue full.
    for (std::size_t i = 0; i <= HandOverQueue::kMaxPending; ++i) queue.PostPaced([] {});
    EXPECT_EQ(queue.Drain(), HandOverQueue::kMaxPending + 1);
}

} // namespace
} // namespace zav
