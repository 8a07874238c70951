#pragma once

#include <atomic>
#include <chrono>
#include <condition_variable>
#include <exception>
#include <functional>
#include <mutex>
#include <thread>

namespace zav {

// A thread that runs Execute once, with a termination request its owner may set (false to
// true only) and an integer result: 1 until the work reports completion with 0.
// Derived classes are final and call WaitFor() in their destructor, so the thread never
// outlives the object whose Execute it runs.
class WorkerThread {
public:
    static constexpr int kUnfinished = 1;
    static constexpr int kCompleted = 0;

    WorkerThread() = default;
    WorkerThread(const WorkerThread&) = delete;
    WorkerThread& operator=(const WorkerThread&) = delete;
    virtual ~WorkerThread();

    // Called on the worker thread right after Execute returned; set before Start.
    void SetOnFinished(std::function<void()> onFinished);
    void Start();

    void RequestTermination();
    [[nodiscard]] bool TerminationRequested() const { return terminated_.load(); }
    // The flag a link polls while it waits for the board.
    [[nodiscard]] const std::atomic<bool>& TerminationFlag() const { return terminated_; }

    [[nodiscard]] int Result() const { return result_.load(); }
    // True once Execute has returned (the thread may still be winding down: WaitFor joins it).
    [[nodiscard]] bool Finished() const { return finished_.load(); }
    // What Execute threw, if it did (the result then stays kUnfinished). Read once Finished.
    [[nodiscard]] std::exception_ptr Failure() const { return failure_; }
    void WaitFor();

protected:
    virtual void Execute() = 0;
    void SetResult(int result) { result_.store(result); }
    // Sleeps in real time until the duration passed or termination was requested; returns
    // whether it was requested.
    bool WaitForTermination(std::chrono::milliseconds duration);

private:
    void Run();

    std::atomic<bool> terminated_{false};
    std::atomic<int> result_{kUnfinished};
    std::atomic<bool> finished_{false};
    std::mutex sleepMutex_;
    std::condition_variable terminationRequested_;
    std::function<void()> onFinished_;
    std::exception_ptr failure_;
    std::thread thread_;
};

} // namespace zav
