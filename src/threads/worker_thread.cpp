#include "threads/worker_thread.h"

#include <utility>

namespace zav {

WorkerThread::~WorkerThread()
{
    WaitFor();
}

void WorkerThread::SetOnFinished(std::function<void()> onFinished)
{
    onFinished_ = std::move(onFinished);
}

void WorkerThread::Start()
{
    if (thread_.joinable() || finished_.load()) return;
    thread_ = std::thread([this] { Run(); });
}

void WorkerThread::RequestTermination()
{
    {
        // Under the sleep mutex, so a WaitForTermination between its test and its wait
        // cannot miss the request.
        std::lock_guard lock(sleepMutex_);
        terminated_.store(true);
    }
    terminationRequested_.notify_all();
}

void WorkerThread::WaitFor()
{
    if (thread_.joinable() && thread_.get_id() != std::this_thread::get_id()) thread_.join();
}

bool WorkerThread::WaitForTermination(std::chrono::milliseconds duration)
{
    std::unique_lock lock(sleepMutex_);
    return terminationRequested_.wait_for(lock, duration, [this] { return terminated_.load(); });
}

void WorkerThread::Run()
{
    // An exception must not end the program from a worker thread: it is kept for the
    // owner, who reports it on its own thread.
    try {
        Execute();
    } catch (...) {
        failure_ = std::current_exception();
    }
    finished_.store(true);
    if (onFinished_) onFinished_();
}

} // namespace zav
