#pragma once

#include <functional>
#include <memory>
#include <string>

#include "sequences/hand_over_host.h"
#include "sequences/sequence_host.h"
#include "threads/worker_thread.h"

namespace zav {

class HandOverQueue;
class LinkFactory;

// Starts and stops one kind of sequence on behalf of its Start button. All its methods run
// on the user-interface thread; every wait for the worker keeps draining the hand-over
// queue, so a worker waiting for an answer from that thread can always finish. The calls
// drained meanwhile may stop the sequence themselves (a close handled by a nested event
// loop); only the one call the worker is waiting for must not wait for the worker.
class SequenceControl {
public:
    SequenceControl(SequenceHost& host, std::shared_ptr<HandOverQueue> queue, LinkFactory& links);
    SequenceControl(const SequenceControl&) = delete;
    SequenceControl& operator=(const SequenceControl&) = delete;
    // A sequence still running is stopped and awaited.
    virtual ~SequenceControl();

    // The Start button was clicked and is now down or up. A press while the port is busy is
    // undone by putting the button up again, and counts as a release. Returns whether a
    // sequence was started.
    bool StartButtonClick(bool buttonDown);

    // Starts a new worker at once; a previous one is awaited and released first. The port is
    // marked busy before this returns, so no other start can slip in before the worker runs.
    void Start();
    // Requests the current worker's termination and waits for its end; one that had not
    // completed is reported with the interrupted line. Then the worker is released.
    void Stop();
    // Requests the current worker's termination without waiting: for a stop that arrives
    // while the worker waits for this thread's answer to a box, so that the worker sees the
    // request as soon as the answer reaches it.
    void RequestStop();
    // Stop without waiting, so the window keeps painting while the worker finishes its
    // current wait (a reset takes 1.5 s): when its end notification arrives, the worker is
    // released as Stop releases it (an unfinished one reported with the interrupted line).
    // Stop stays for closing and for the command line, which must wait.
    void StopWithoutWaiting();
    // Waits (draining) until the current worker has ended, without stopping it.
    void WaitForEnd();

    // Called on this thread, from a drain, when the current worker's end notification
    // arrives (ended by itself or stopped), with its result; after StopWithoutWaiting the
    // worker is released first. Not called for a worker that Start or Stop released before
    // its notification came.
    void SetOnSequenceFinished(std::function<void(int result)> onFinished);

    [[nodiscard]] bool HasWorker() const { return current_ != nullptr; }
    [[nodiscard]] bool Running() const { return current_ && !current_->Finished(); }
    // The current worker's result, or the last released one's: 0 completed, 1 unfinished
    // (also before the first start).
    [[nodiscard]] int Result() const { return current_ ? current_->Result() : lastResult_; }

protected:
    [[nodiscard]] virtual std::unique_ptr<WorkerThread> CreateWorker(SequenceHost& workerHost,
                                                                     LinkFactory& links) = 0;
    [[nodiscard]] virtual SequenceKind Kind() const = 0;
    [[nodiscard]] virtual std::string InterruptedText() const = 0;
    // Derived destructors call this while their overrides still exist.
    void StopOnDestruction();

private:
    // On this thread, once `worker` posted its end.
    void WorkerEnded(const WorkerThread* worker);
    // Joins and drops the current worker, reporting what it threw or, when `stopped`, the
    // interrupted line for a worker that did not complete.
    void Release(bool stopped);

    SequenceHost& host_;
    std::shared_ptr<HandOverQueue> queue_;
    LinkFactory& links_;
    HandOverHost workerHost_;
    std::unique_ptr<WorkerThread> current_;
    int lastResult_ = WorkerThread::kUnfinished;
    bool stopPending_ = false;
    std::function<void(int)> onFinished_;
    // Cleared on destruction: an end notification still queued then finds no controller.
    std::shared_ptr<bool> alive_ = std::make_shared<bool>(true);
};

} // namespace zav
