#pragma once

#include <atomic>
#include <chrono>
#include <condition_variable>
#include <cstddef>
#include <deque>
#include <exception>
#include <functional>
#include <memory>
#include <mutex>
#include <optional>
#include <thread>
#include <type_traits>

namespace zav {

// Carries calls from worker threads to the user-interface thread, first in, first out, so
// their effects happen there in the order they were issued. A worker that needs a value
// waits for it; the user-interface thread runs the calls when it drains the queue: the GUI
// when its event loop is woken, and anyone who waits for a worker while draining, which is
// what keeps a worker blocked on a call from deadlocking the wait.
//
// Shared ownership only (Create): every controller and worker host that can make a worker
// wait on the queue holds it, so it cannot be destroyed while a worker waits.
class HandOverQueue {
public:
    using Task = std::function<void()>;
    static constexpr std::chrono::milliseconds kRecheckInterval{10};
    // How many calls PostPaced lets wait for the user-interface thread before it holds its
    // caller back: a worker on virtual time can issue calls far faster than they run.
    static constexpr std::size_t kMaxPending = 4096;

    [[nodiscard]] static std::shared_ptr<HandOverQueue> Create();
    HandOverQueue(const HandOverQueue&) = delete;
    HandOverQueue& operator=(const HandOverQueue&) = delete;

    // Called from the posting thread whenever a call arrives in an empty queue, so an event
    // loop can schedule a Drain. Set it before any worker runs.
    void SetWakeUp(std::function<void()> wakeUp);

    // Any thread: queue a call whose result nobody waits for.
    void Post(Task task);

    // A worker thread: as Post, but first waits while kMaxPending calls are queued, so a
    // worker that outruns the user-interface thread cannot fill the memory. On the thread
    // that drains it does not wait (nobody else could make room).
    void PostPaced(Task task);

    // A worker thread: queue a call and wait until the user-interface thread has run it.
    // What the call throws there is rethrown here, so the worker learns of the failure
    // instead of waiting forever. From the draining thread, which would wait for itself,
    // it asserts in a debug build and throws std::logic_error otherwise.
    template <typename Function> std::invoke_result_t<Function> Call(Function&& function)
    {
        using Result = std::invoke_result_t<Function>;
        if (OnDrainingThread()) FailCallFromDrainingThread();
        CallSlot<Result> slot;
        PostPaced([&slot, &function] {
            try {
                if constexpr (std::is_void_v<Result>) {
                    function();
                } else {
                    slot.value.emplace(function());
                }
            } catch (...) {
                slot.failure = std::current_exception();
            }
            slot.MarkDone();
        });
        slot.WaitDone();
        if (slot.failure) std::rethrow_exception(slot.failure);
        if constexpr (!std::is_void_v<Result>) return std::move(*slot.value);
    }

    // True on the thread that drains (the last one to call Drain or DrainUntil).
    [[nodiscard]] bool OnDrainingThread() const { return drainer_.load() == std::this_thread::get_id(); }

    // The user-interface thread: runs the calls queued when it began (calls queued meanwhile
    // wait for the next pass, which the wake-up schedules), so a worker that keeps posting
    // cannot hold the drainer. Returns how many ran. A posted call that throws ends the pass
    // with its exception, on this thread; the calls after it wait for the next pass.
    std::size_t Drain();

    // The user-interface thread: drains until done() holds and nothing it was waiting for is
    // left in the queue. done() is tested before each pass: at once after Wake(), otherwise
    // at least every kRecheckInterval, so a condition no thread can wake for (a flag set by a
    // signal handler) still ends the wait.
    void DrainUntil(const std::function<bool()>& done);

    // Lets DrainUntil test its condition again.
    void Wake();

private:
    HandOverQueue() = default;
    void Enqueue(Task task, bool paced);
    [[noreturn]] static void FailCallFromDrainingThread();
    void WakeForRemainingTasks();

    template <typename Result> struct CallSlot {
        std::mutex mutex;
        std::condition_variable doneChanged;
        bool done = false;
        std::optional<std::conditional_t<std::is_void_v<Result>, char, Result>> value;
        std::exception_ptr failure;

        void MarkDone()
        {
            // Notified under the lock: the waiter owns the slot and destroys it as soon as
            // it sees done, which it cannot before the lock is released.
            std::lock_guard lock(mutex);
            done = true;
            doneChanged.notify_one();
        }
        void WaitDone()
        {
            std::unique_lock lock(mutex);
            doneChanged.wait(lock, [this] { return done; });
        }
    };

    std::mutex mutex_;
    std::condition_variable changed_;
    std::condition_variable roomMade_;
    std::deque<Task> tasks_;
    std::size_t wakeCount_ = 0;
    std::function<void()> wakeUp_;
    std::atomic<std::thread::id> drainer_;
};

} // namespace zav
