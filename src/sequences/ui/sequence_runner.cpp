#include "sequences/ui/sequence_runner.h"

#include "sequences/program_sequence_control.h"
#include "sequences/read_sequence_control.h"

namespace zav {

SequenceRunner::SequenceRunner(SequenceHost& host, LinkFactory& links,
                               SimulationNoticeLinkFactory::IsSimulated isSimulated, QObject* parent)
    : QObject(parent), host_(host), workerHost_(host, queue_), links_(links, std::move(isSimulated), workerHost_)
{
    queue_.SetWakeUp([this] { WakeUp(); });
}

SequenceRunner::~SequenceRunner()
{
    StopAll();
    read_.reset();
    program_.reset();
    queue_.SetWakeUp({});
}

void SequenceRunner::WakeUp()
{
    // Called on a worker thread; the drain itself runs on this object's (the window's) thread.
    QMetaObject::invokeMethod(this, [this] { queue_.Drain(); }, Qt::QueuedConnection);
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
    Control(kind).Start();
}

void SequenceRunner::Stop(SequenceKind kind)
{
    Control(kind).Stop();
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
