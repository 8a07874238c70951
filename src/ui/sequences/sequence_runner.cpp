#include "ui/sequences/sequence_runner.h"

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
    // Closing waits for the sequences itself; nobody is left to hear that they ended.
    readStopPending_ = false;
    programStopPending_ = false;
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
        control->SetOnSequenceFinished([this, kind](int) { SequenceFinished(kind); });
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
    control.StopWithoutWaiting();
}

void SequenceRunner::RequestStopAll()
{
    if (read_ && read_->Running()) Stop(SequenceKind::Read);
    if (program_ && program_->Running()) Stop(SequenceKind::Program);
    if (!Running()) emit Idle();
}

void SequenceRunner::SequenceFinished(SequenceKind kind)
{
    bool& stopPending = kind == SequenceKind::Read ? readStopPending_ : programStopPending_;
    if (!stopPending) return;
    stopPending = false;
    // Told from within a drain: the window hears it once the event loop comes round, as it
    // would any other news, so a close it sets off does not run inside the drain.
    if (!Running()) QMetaObject::invokeMethod(this, &SequenceRunner::Idle, Qt::QueuedConnection);
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
