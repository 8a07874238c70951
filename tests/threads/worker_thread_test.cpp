#include "threads/worker_thread.h"

#include <gtest/gtest.h>

#include <atomic>
#include <chrono>
#include <future>

namespace zav {
namespace {

// Completes unless termination is requested before it gets going; records what it saw.
class GatedWorker final : public WorkerThread {
public:
    explicit GatedWorker(std::shared_future<void> gate) : gate_(std::move(gate)) {}
    ~GatedWorker() override { WaitFor(); }

    std::atomic<bool> cutShort{false};

private:
    void Execute() override
    {
        gate_.wait();
        if (TerminationRequested()) return;
        // Would sleep for an hour unless a termination request cuts the wait short.
        if (WaitForTermination(std::chrono::hours(1))) {
            cutShort = true;
            return;
        }
        SetResult(kCompleted);
    }

    std::shared_future<void> gate_;
};

TEST(WorkerThread, StaysUnfinishedWhenTerminatedAndReportsItsEnd)
{
    std::promise<void> open;
    GatedWorker worker(open.get_future().share());
    std::atomic<int> finishedCalls{0};
    worker.SetOnFinished([&] { ++finishedCalls; });
    EXPECT_EQ(worker.Result(), WorkerThread::kUnfinished);
    EXPECT_FALSE(worker.TerminationFlag().load());

    worker.Start();
    worker.RequestTermination();
    open.set_value();
    worker.WaitFor();

    EXPECT_TRUE(worker.Finished());
    EXPECT_TRUE(worker.TerminationRequested());
    EXPECT_EQ(worker.Result(), WorkerThread::kUnfinished);
    EXPECT_EQ(finishedCalls.load(), 1);
}

TEST(WorkerThread, ATerminationRequestEndsARealTimeWaitAtOnce)
{
    std::promise<void> open;
    GatedWorker worker(open.get_future().share());
    worker.Start();
    open.set_value();
    // Whether the request lands before or during the hour-long wait, the worker ends now.
    worker.RequestTermination();
    worker.WaitFor();
    EXPECT_TRUE(worker.Finished());
    EXPECT_EQ(worker.Result(), WorkerThread::kUnfinished);
}

TEST(WorkerThread, DestroyingAWorkerThatNeverStartedIsHarmless)
{
    std::promise<void> open;
    GatedWorker worker(open.get_future().share());
    EXPECT_FALSE(worker.Finished());
}

} // namespace
} // namespace zav
