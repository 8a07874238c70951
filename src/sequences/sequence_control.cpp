#include "sequences/sequence_control.h"

#include "sequences/hand_over_queue.h"

namespace zav {

SequenceControl::SequenceControl(SequenceHost& host, HandOverQueue& queue, LinkFactory& links)
    : host_(host), queue_(queue), links_(links), workerHost_(host, queue)
{
}

SequenceControl::~SequenceControl() = default;

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
    host_.SetPortIdle(false);
    current_ = CreateWorker(workerHost_, links_);
    current_->SetOnFinished([this] { queue_.Wake(); });
    current_->Start();
}

void SequenceControl::Stop()
{
    if (!current_) return;
    current_->RequestTermination();
    WaitForEnd();
    // A call drained meanwhile may have stopped and released the worker already.
    if (!current_) return;
    if (current_->Result() != WorkerThread::kCompleted) {
        host_.AddStatusMessage(InterruptedText(), StatusKind::Normal);
    }
    current_.reset();
}

void SequenceControl::RequestStop()
{
    if (current_) current_->RequestTermination();
}

void SequenceControl::WaitForEnd()
{
    queue_.DrainUntil([this] { return !current_ || current_->Finished(); });
    if (current_) current_->WaitFor();
}

void SequenceControl::StopOnDestruction()
{
    Stop();
}

} // namespace zav
