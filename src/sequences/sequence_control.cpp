#include "sequences/sequence_control.h"

#include <exception>
#include <utility>

#include "threads/hand_over_queue.h"

namespace zav {

namespace {

std::string DescribeFailure(const std::exception_ptr& failure)
{
    try {
        std::rethrow_exception(failure);
    } catch (const std::exception& error) {
        return error.what();
    } catch (...) {
        return "unknown error";
    }
}

} // namespace

SequenceControl::SequenceControl(SequenceHost& host, std::shared_ptr<HandOverQueue> queue, LinkFactory& links)
    : host_(host), queue_(std::move(queue)), links_(links), workerHost_(host, queue_)
{
}

SequenceControl::~SequenceControl()
{
    *alive_ = false;
}

bool SequenceControl::StartButtonClick(bool buttonDown)
{
    if (buttonDown && !host_.PortIdle()) {
        host_.PutStartButtonUp(Kind());
        buttonDown = false;
    }
    if (!buttonDown) {
        Stop();
        return false;
    }
    Start();
    return true;
}

void SequenceControl::Start()
{
    WaitForEnd();
    current_.reset();
    stopPending_ = false;
    lastResult_ = WorkerThread::kUnfinished;
    host_.SetPortIdle(false);
    current_ = CreateWorker(workerHost_, links_);
    const WorkerThread* worker = current_.get();
    // The worker's last act: wake a DrainUntil, and queue its end for an event loop.
    current_->SetOnFinished([this, worker, queue = queue_, alive = alive_] {
        queue->Post([this, worker, alive] {
            if (*alive) WorkerEnded(worker);
        });
        queue->Wake();
    });
    current_->Start();
}

void SequenceControl::Stop()
{
    if (!current_) return;
    current_->RequestTermination();
    WaitForEnd();
    // A call drained meanwhile may have stopped and released the worker already.
    if (current_) Release(true);
}

void SequenceControl::RequestStop()
{
    if (current_) current_->RequestTermination();
}

void SequenceControl::StopWithoutWaiting()
{
    if (!current_) return;
    stopPending_ = true;
    current_->RequestTermination();
}

void SequenceControl::WaitForEnd()
{
    queue_->DrainUntil([this] { return !current_ || current_->Finished(); });
    if (current_) current_->WaitFor();
}

void SequenceControl::SetOnSequenceFinished(std::function<void(int result)> onFinished)
{
    onFinished_ = std::move(onFinished);
}

void SequenceControl::WorkerEnded(const WorkerThread* worker)
{
    // Stop, Start or a newer worker may have released this one already.
    if (current_.get() != worker) return;
    // A failure is reported at once, not when the user next presses a button.
    if (stopPending_ || current_->Failure()) Release(stopPending_);
    if (onFinished_) onFinished_(Result());
}

void SequenceControl::Release(bool stopped)
{
    current_->WaitFor();
    lastResult_ = current_->Result();
    if (const std::exception_ptr failure = current_->Failure()) {
        host_.AddStatusMessage("Sequence failed: " + DescribeFailure(failure), StatusKind::Error);
        host_.SetPortIdle(true);
    } else if (stopped && lastResult_ != WorkerThread::kCompleted) {
        host_.AddStatusMessage(InterruptedText(), StatusKind::Normal);
    }
    current_.reset();
    stopPending_ = false;
}

void SequenceControl::StopOnDestruction()
{
    Stop();
}

} // namespace zav
