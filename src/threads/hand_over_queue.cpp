#include "threads/hand_over_queue.h"

#include <cassert>
#include <stdexcept>
#include <utility>

namespace zav {

std::shared_ptr<HandOverQueue> HandOverQueue::Create()
{
    return std::shared_ptr<HandOverQueue>(new HandOverQueue());
}

void HandOverQueue::FailCallFromDrainingThread()
{
    assert(!"HandOverQueue::Call from the draining thread would wait for itself");
    throw std::logic_error("HandOverQueue::Call from the draining thread would wait for itself");
}

void HandOverQueue::SetWakeUp(std::function<void()> wakeUp)
{
    std::lock_guard lock(mutex_);
    wakeUp_ = std::move(wakeUp);
}

void HandOverQueue::Post(Task task)
{
    Enqueue(std::move(task), false);
}

void HandOverQueue::PostPaced(Task task)
{
    Enqueue(std::move(task), true);
}

void HandOverQueue::Enqueue(Task task, bool paced)
{
    bool wasEmpty = false;
    std::function<void()> wakeUp;
    {
        std::unique_lock lock(mutex_);
        if (paced && !OnDrainingThread()) {
            roomMade_.wait(lock, [this] { return tasks_.size() < kMaxPending; });
        }
        wasEmpty = tasks_.empty();
        tasks_.push_back(std::move(task));
        if (wasEmpty) wakeUp = wakeUp_;
    }
    // A queue that was not empty is being drained or has woken its drainer already.
    if (!wasEmpty) return;
    changed_.notify_all();
    if (wakeUp) wakeUp();
}

std::size_t HandOverQueue::Drain()
{
    drainer_.store(std::this_thread::get_id());
    std::size_t ran = 0;
    std::unique_lock lock(mutex_);
    for (std::size_t pass = tasks_.size(); pass > 0 && !tasks_.empty(); --pass) {
        Task task = std::move(tasks_.front());
        tasks_.pop_front();
        if (tasks_.size() + 1 == kMaxPending) roomMade_.notify_all();
        // Unlocked while it runs: a call may post more, or (a modal box in an event loop)
        // drain the queue again itself.
        lock.unlock();
        try {
            task();
        } catch (...) {
            WakeForRemainingTasks();
            throw;
        }
        ++ran;
        lock.lock();
    }
    lock.unlock();
    WakeForRemainingTasks();
    return ran;
}

void HandOverQueue::WakeForRemainingTasks()
{
    // Calls that arrived during the pass found the queue busy and woke nobody.
    std::function<void()> wakeUp;
    {
        std::lock_guard lock(mutex_);
        if (!tasks_.empty()) wakeUp = wakeUp_;
    }
    if (wakeUp) wakeUp();
}

void HandOverQueue::DrainUntil(const std::function<bool()>& done)
{
    drainer_.store(std::this_thread::get_id());
    for (;;) {
        std::size_t seenWakes = 0;
        {
            std::lock_guard lock(mutex_);
            seenWakes = wakeCount_;
        }
        // Whatever the awaited thread queued before it made done() true is run before leaving.
        const bool finished = done();
        Drain();
        if (finished) return;
        std::unique_lock lock(mutex_);
        changed_.wait_for(lock, kRecheckInterval, [&] { return !tasks_.empty() || wakeCount_ != seenWakes; });
    }
}

void HandOverQueue::Wake()
{
    {
        std::lock_guard lock(mutex_);
        ++wakeCount_;
    }
    changed_.notify_all();
}

} // namespace zav
