#include "files/print_job_control.h"

#include <utility>

#include "files/print_host.h"
#include "threads/hand_over_queue.h"

namespace zav {

PrintJobControl::PrintJobControl(std::shared_ptr<HandOverQueue> queue, PrintHost& host)
    : queue_(std::move(queue)), host_(host)
{
}

PrintJobControl::~PrintJobControl()
{
    Close();
}

void PrintJobControl::Start(const PrintJobSettings& settings, PrintSink& sink)
{
    if (job_) return;
    job_ = std::make_unique<printerTh>(settings, sink, queue_, host_);
    job_->SetOnFinished([queue = queue_] { queue->Wake(); });
    job_->Start();
}

void PrintJobControl::Close()
{
    if (!job_ || closing_) return;
    closing_ = true;
    job_->RequestTermination();
    queue_->DrainUntil([this] { return job_->Finished(); });
    job_->WaitFor();
    closing_ = false;
    // Released before the status line, so a close the line's window triggers finds no job.
    const bool completed = job_->Result() == WorkerThread::kCompleted;
    job_.reset();
    if (!completed) host_.AddStatusMessage(kPrintInterruptedLine, StatusKind::Normal);
}

} // namespace zav
