#pragma once

#include <memory>
#include <string>

#include "sequences/hand_over_host.h"
#include "sequences/sequence_host.h"
#include "sequences/worker_thread.h"

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
    SequenceControl(SequenceHost& host, HandOverQueue& queue, LinkFactory& links);
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
    // Waits (draining) until the current worker has ended, without stopping it.
    void WaitForEnd();

    [[nodiscard]] bool HasWorker() const { return current_ != nullptr; }
    [[nodiscard]] bool Running() const { return current_ && !current_->Finished(); }
    // The current worker's result: 0 completed, 1 unfinished (also when there is none).
    [[nodiscard]] int Result() const { return current_ ? current_->Result() : WorkerThread::kUnfinished; }

protected:
    [[nodiscard]] virtual std::unique_ptr<WorkerThread> CreateWorker(SequenceHost& workerHost,
                                                                     LinkFactory& links) = 0;
    [[nodiscard]] virtual SequenceKind Kind() const = 0;
    [[nodiscard]] virtual std::string InterruptedText() const = 0;
    // Derived destructors call this while their overrides still exist.
    void StopOnDestruction();

private:
    SequenceHost& host_;
    HandOverQueue& queue_;
    LinkFactory& links_;
    HandOverHost workerHost_;
    std::unique_ptr<WorkerThread> current_;
};

} // namespace zav
