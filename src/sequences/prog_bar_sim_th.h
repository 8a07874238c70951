#pragma once

#include <chrono>
#include <functional>

#include "threads/worker_thread.h"

namespace zav {

class SequenceHost;

// Keeps the progress bar moving while a sequence waits for the board to identify itself:
// one step every stepInterval x 10 ms, wrapping after 100, and position 0 when it ends.
// It runs on real time even when the sequence runs on virtual time, since it only animates
// a display; a termination request cuts its current wait short. It starts at construction.
class ProgBarSimTh final : public WorkerThread {
public:
    // The wait between steps; a test may pass its own in place of the real-time wait, which
    // ends early on a termination request.
    using StepWait = std::function<void(std::chrono::milliseconds)>;
    // The sequences' interval: one step every 100 ms.
    static constexpr int kSequenceStepInterval = 10;

    ProgBarSimTh(SequenceHost& host, int stepInterval, StepWait stepWait = {});
    ~ProgBarSimTh() override;

    // Requests termination and waits for the last step, which resets the bar.
    void Stop();

private:
    void Execute() override;

    SequenceHost& host_;
    int stepInterval_;
    StepWait stepWait_;
};

} // namespace zav
