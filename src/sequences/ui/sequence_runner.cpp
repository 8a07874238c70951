#include "sequences/ui/sequence_runner.h"

#include <QTimer>

#include "sequences/program_sequence_control.h"
#include "sequences/read_sequence_control.h"

namespace zav {

SequenceRunner::SequenceRunner(SequenceHost& host, LinkFactory& links,
                               SimulationNoticeLinkFactory::IsSimulated isSimulated, QObject* parent)
    : QObject(parent), host_(host), workerHost_(host, queue_), links_(links, std::move(isSimulated), workerHost_)
{
    queue_->SetWakeUp([this] { WakeUp(); });
}

SequenceRunner::~SequenceRunner()
{
    StopAll();
    read_.reset();
    program_.reset();
    queue_->SetWakeUp({});
}

void SequenceRunner::WakeUp()
{
    // Called on a worker thread; the drain itself runs on this object's (the window's) thread.
    QMetaObject::invokeMethod(this, [this] { queue_->Drain(); }, Qt::QueuedConnection);
}

SequenceControl& SequenceRunner::Control(SequenceKind kind)
{
    std::unique_ptr<SequenceControl>& control = kind == SequenceKind::Read ? read_ : program_;
    if (!control) {
        if (kind == SequenceKind::Read) {
            control = std::make_unique<ReadSequenceControl>(host_, queue_, links_);
        } else {
            control = std::make_unique<ProgramSequenceControl>(host_, queue_, links_);
        }
    }
    return *control;
}

void SequenceRunner::Start(SequenceKind kind)
{
    if (kind == SequenceKind::Read) {
        static_cast<ReadSequenceControl&>(Control(kind)).SetBlankCheck(false);
    } else {
        static_cast<ProgramSequenceControl&>(Control(kind)).SetBackupStore(backup_);
    }
    Control(kind).Start();
}

void SequenceRunner::StartBlankCheck()
{
    auto& read = static_cast<ReadSequenceControl&>(Control(SequenceKind::Read));
    read.SetBlankCheck(true);
    read.Start();
}

void SequenceRunner::Stop(SequenceKind kind)
{
    SequenceControl& control = Control(kind);
    if (!control.Running()) {
        control.Stop();
        return;
    }
    (kind == SequenceKind::Read ? readStopPending_ : programStopPending_) = true;
    control.RequestStop();
}

void SequenceRunner::RequestStopAll()
{
    if (read_ && read_->Running()) Stop(SequenceKind::Read);
    if (program_ && program_->Running()) Stop(SequenceKind::Program);
    if (!Running()) emit Idle();
}

void SequenceRunner::PortReleased()
{
    // The worker's last call is still being carried out; it ends right after, so the stop
    // is finished once the event loop comes round.
    QMetaObject::invokeMethod(this, &SequenceRunner::FinishStops, Qt::QueuedConnection);
}

void SequenceRunner::FinishStops()
{
    bool finished = false;
    if (readStopPending_ && read_ && !read_->Running()) {
        readStopPending_ = false;
        read_->Stop();
        finished = true;
    }
    if (programStopPending_ && program_ && !program_->Running()) {
        programStopPending_ = false;
        program_->Stop();
        finished = true;
    }
    if (finished && !Running()) emit Idle();
    // A worker still winding down is looked at again shortly.
    if (readStopPending_ || programStopPending_) {
        QTimer::singleShot(5, this, &SequenceRunner::FinishStops);
    }
}

void SequenceRunner::StopAll()
{
    if (read_ && read_->Running()) read_->Stop();
    if (program_ && program_->Running()) program_->Stop();
}

bool SequenceRunner::Running() const
{
    return (read_ && read_->Running()) || (program_ && program_->Running());
}

} // namespace zav
