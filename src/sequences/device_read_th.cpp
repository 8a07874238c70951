#include "sequences/device_read_th.h"

#include "link/programmer_link.h"
#include "sequences/board_session.h"
#include "sequences/sequence_frame.h"
#include "sequences/sequence_host.h"
#include "sequences/sequence_plan.h"

namespace zav {

DeviceReadTh::DeviceReadTh(SequenceHost& host, LinkFactory& links) : host_(host), links_(links) {}

DeviceReadTh::~DeviceReadTh()
{
    WaitFor();
}

void DeviceReadTh::Execute()
{
    SequenceFrame frame(host_, links_, TerminationFlag(), SequenceKind::Read, "Read Sequence in Progress ...");
    // The buffer the last verify compared is about to be replaced.
    host_.SetVerifyDifferences({});
    if (Run(frame)) {
        host_.AddStatusMessage("Read Sequence completed successful.", StatusKind::Normal);
        SetResult(kCompleted);
    }
    // The end is the same whatever happened: this also recolours the buffer when no bulk
    // update was opened.
    host_.EndUpdate();
    frame.End();
}

bool DeviceReadTh::Run(SequenceFrame& frame)
{
    std::optional<SequencePlan> plan;
    const SequenceFrame::BoardStart start = frame.StartBoard(plan);
    if (start != SequenceFrame::BoardStart::Ready) return start == SequenceFrame::BoardStart::NoDevice;
    return ReadDevice(frame.Session(), *plan);
}

bool DeviceReadTh::ReadDevice(BoardSession& session, const SequencePlan& plan)
{
    const bool updateBeforeOptionTest = plan.IsTms() || plan.family == DeviceFamily::Mc68hc11Pa8;
    if (updateBeforeOptionTest) host_.BeginUpdate();
    if (!host_.IsOptionDown(SequenceOption::Read)) return true;
    if (!updateBeforeOptionTest) host_.BeginUpdate();

    const auto keep = [this](std::int32_t address, std::uint8_t value) { host_.SetByte(address, value); };
    if (!session.ReadEeprom(plan, keep)) return false;
    if (plan.configRegister) {
        const std::int32_t address = *plan.configRegister;
        host_.SetByte(address, session.Link().ReadByteAt(static_cast<std::uint16_t>(address)));
        if (session.Failed()) return false;
    }
    return true;
}

} // namespace zav
