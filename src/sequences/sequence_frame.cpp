#include "sequences/sequence_frame.h"

namespace zav {

SequenceFrame::SequenceFrame(SequenceHost& host, LinkFactory& links, const std::atomic<bool>& stopRequest,
                             SequenceKind kind, const char* startLine)
    : host_(host), kind_(kind), session_(host, links, stopRequest)
{
    host_.SetPortIdle(false);
    host_.AddStatusMessage(startLine, StatusKind::Normal);
    simulation_ = std::make_unique<ProgBarSimTh>(host_, ProgBarSimTh::kSequenceStepInterval);
}

SequenceFrame::~SequenceFrame()
{
    // Only after a step threw: the worker reports that exception, so a second one from
    // the host while unwinding must not end the program.
    try {
        End();
    } catch (...) {
        StopSimulation();
    }
}

SequenceFrame::BoardStart SequenceFrame::StartBoard(std::optional<SequencePlan>& plan)
{
    plan = FindSequencePlan(host_.DeviceIdText());
    if (!plan) return BoardStart::NoDevice;
    if (!session_.Open(*plan, host_.GetProgramSettings()) || !session_.ResetAndIdentify(*plan)) {
        return BoardStart::Failed;
    }
    StopSimulation();
    return BoardStart::Ready;
}

void SequenceFrame::StopSimulation()
{
    if (!simulation_) return;
    simulation_->Stop();
    simulation_.reset();
}

void SequenceFrame::End()
{
    if (ended_) return;
    ended_ = true;
    StopSimulation();
    host_.SetProgressPosition(0);
    host_.PutStartButtonUp(kind_);
    session_.Close();
    host_.SetPortIdle(true);
}

} // namespace zav
