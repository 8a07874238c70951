#include "sequences/blank_check_th.h"

#include <optional>
#include <utility>

#include "buffer/hex_digits.h"
#include "sequences/board_session.h"
#include "sequences/sequence_frame.h"
#include "sequences/sequence_host.h"
#include "sequences/sequence_plan.h"

namespace zav {

namespace {

constexpr std::uint8_t kErased = 0xFF;

} // namespace

BlankCheckTh::BlankCheckTh(SequenceHost& host, LinkFactory& links, std::shared_ptr<BlankCheckFinding> finding)
    : host_(host), links_(links), finding_(std::move(finding))
{
}

BlankCheckTh::~BlankCheckTh()
{
    WaitFor();
}

void BlankCheckTh::Execute()
{
    finding_->cellsNotErased = -1;
    SequenceFrame frame(host_, links_, TerminationFlag(), SequenceKind::Read, "Blank Check in Progress ...");
    if (Run(frame)) SetResult(kCompleted);
    frame.End();
}

bool BlankCheckTh::Run(SequenceFrame& frame)
{
    std::optional<SequencePlan> plan;
    const SequenceFrame::BoardStart start = frame.StartBoard(plan);
    if (start == SequenceFrame::BoardStart::NoDevice) {
        host_.AddStatusMessage("No device selected: nothing to check.", StatusKind::Warning);
        return true;
    }
    if (start != SequenceFrame::BoardStart::Ready) return false;
    return CheckDevice(frame.Session(), *plan);
}

bool BlankCheckTh::CheckDevice(BoardSession& session, const SequencePlan& plan)
{
    int notErased = 0;
    std::optional<std::int32_t> first;
    const bool read = session.ReadEeprom(plan, [&](std::int32_t address, std::uint8_t value) {
        if (value == kErased) return;
        ++notErased;
        if (!first) first = address;
    });
    if (!read) return false;
    finding_->cellsNotErased = notErased;
    if (!first) {
        host_.AddStatusMessage("Device is blank", StatusKind::Normal);
        return true;
    }
    std::string text = "Device is not blank: " + std::to_string(notErased) + " cells not 0xFF, first at 0x";
    AppendHexAddress(text, *first);
    host_.AddStatusMessage(text, StatusKind::Warning);
    return true;
}

} // namespace zav
