#include "sequences/board_session.h"

#include <utility>

#include "link/board_profile.h"
#include "link/link_context.h"
#include "link/programmer_link.h"
#include "sequences/link_factory.h"
#include "sequences/port_kind_check.h"
#include "sequences/sequence_host.h"

namespace zav {

namespace {

const char* const kWrongId = "Wrong Programmer ID !";
const char* const kNotResponding = "Programmer don't responding.";
const char* const kOldHardware = "Old Hardware, Contact ZAV";

} // namespace

BoardSession::BoardSession(SequenceHost& host, LinkFactory& links, const std::atomic<bool>& stopRequest)
    : host_(host), links_(links), stopRequest_(stopRequest)
{
}

BoardSession::~BoardSession()
{
    Close();
}

bool BoardSession::Open(const SequencePlan& plan, const ProgramSettings& settings)
{
    portName_ = settings.PortFor(plan.device->portKind);
    delayCount_ = settings.lptDelay;
    openingTries_ = settings.openingTries;
    // A stored port of the other kind would have the board spoken to on the wrong line.
    if (const std::string refusal = PortKindRefusal(*plan.device, portName_); !refusal.empty()) {
        PostError(std::string(plan.device->portKind == PortKind::Com ? "COM_PORT" : "LPT_PORT") + ": " +
                  refusal);
        return false;
    }
    ports_ = links_.PortsFor(portName_, plan.device->boardCode);
    link_ = std::make_unique<ProgrammerLink>(ports_->Access());
    waitLimitMs_ = settings.waitLimitMs;
    link_->SetWaitLimitMs(waitLimitMs_);
    link_->Open(portName_, delayCount_, stopRequest_, plan.device->boardCode);
    if (link_->LastError().empty()) return true;
    PostError(link_->LastError());
    if (!link_->ErrorCause().empty()) host_.AddStatusMessage(link_->ErrorCause(), StatusKind::Warning);
    return false;
}

bool BoardSession::ResetAndIdentify(const SequencePlan& plan)
{
    // With a limit of tries, a board that stays busy past the wait limit has failed a try.
    retryTimedOutWaits_ = openingTries_ > 0;
    for (int attempt = 0;; ++attempt) {
        timedOutTry_ = false;
        link_->ResetTarget();
        const bool identified = !Failed() && Identify(plan);
        if (identified || !timedOutTry_) {
            retryTimedOutWaits_ = false;
            return identified;
        }
        if (attempt + 1 >= openingTries_) {
            retryTimedOutWaits_ = false;
            PostError(kNotResponding);
            return false;
        }
        host_.AddStatusMessage("Opening try " + std::to_string(attempt), StatusKind::Warning);
    }
}

bool BoardSession::Failed()
{
    if (link_->LastError().empty()) return false;
    // A wait the user's stop cut short is no fault of the board: the controller reports the
    // interruption, and "Programmer Not Ready." would send the user looking for one.
    if (stopRequest_.load() && link_->LastError() == LinkContext::kNotReady) {
        errorPosted_ = true;
        return true;
    }
    if (retryTimedOutWaits_ && link_->WaitTimedOut()) {
        timedOutTry_ = true;
        host_.AddStatusMessage(link_->LastError(), StatusKind::Warning);
        return true;
    }
    PostError(link_->LastError());
    return true;
}

bool BoardSession::ReadEeprom(const SequencePlan& plan,
                              const std::function<void(std::int32_t, std::uint8_t)>& take)
{
    host_.SetProgressMaximum(plan.progressMaximum);
    int position = 0;
    host_.SetProgressPosition(position);
    for (std::int32_t address = plan.eeprom.first; address <= plan.eeprom.last; ++address) {
        const std::uint8_t value = link_->ReadByteAt(static_cast<std::uint16_t>(address));
        if (Failed()) return false;
        take(address, value);
        host_.SetProgressPosition(++position);
    }
    return true;
}

bool BoardSession::StoppedWhileWaiting()
{
    if (link_->CheckStop()) return false;
    return Failed();
}

void BoardSession::Close()
{
    if (link_) link_->Close();
}

bool BoardSession::Identify(const SequencePlan& plan)
{
    const std::uint8_t boardId = BoardProfileFor(plan.device->boardCode).boardId;
    switch (plan.family) {
    case DeviceFamily::Mc68hc05B6:
        return true;
    case DeviceFamily::Mc68hc705B16: {
        const std::uint8_t id = link_->ReadBoardId();
        if (Failed()) return false;
        if (id == boardId) return true;
        PostError(kWrongId);
        return false;
    }
    case DeviceFamily::Mc68hc05L28:
    case DeviceFamily::Mc68hc11E9:
        // Without a limit of tries the loop runs until the board answers or the user
        // stops, which makes the next ready wait fail.
        for (int attempt = 0;; ++attempt) {
            bool answered = false;
            if (plan.family == DeviceFamily::Mc68hc05L28) {
                answered = link_->UploadLoader();
            } else {
                answered = link_->ReadBoardId() == boardId;
            }
            if (Failed()) return false;
            if (answered) return true;
            if (openingTries_ > 0 && attempt + 1 >= openingTries_) {
                PostError(kNotResponding);
                return false;
            }
            host_.AddStatusMessage("Opening try " + std::to_string(attempt), StatusKind::Warning);
            link_->ResetTarget();
            if (Failed()) return false;
        }
    case DeviceFamily::Mc68hc11Kp:
    case DeviceFamily::Mc68hc11Pa8: {
        const std::string variant = link_->IdentifyHc11();
        if (Failed()) return false;
        if (!variant.empty()) host_.AddStatusMessage(variant + " Device Detected.", StatusKind::Warning);
        return true;
    }
    case DeviceFamily::Tms370:
    case DeviceFamily::Tms375:
        return IdentifyTms(plan);
    }
    return false;
}

bool BoardSession::IdentifyTms(const SequencePlan& plan)
{
    const BoardProfile& board = BoardProfileFor(plan.device->boardCode);
    const std::uint8_t id = link_->ReadBoardId();
    if (Failed()) return false;
    if (id == board.boardId) return true;
    if (id == BoardProfileFor(board.olderBoardCode).boardId) {
        if (!plan.twoBlocks) return SwitchToOlderBoard(board.olderBoardCode);
        PostError(kOldHardware);
        return false;
    }
    PostError(id == 0x00 || id == 0xFF ? kNotResponding : kWrongId);
    return false;
}

bool BoardSession::SwitchToOlderBoard(std::uint8_t boardCode)
{
    // The older board keeps the reset it already had: the new link starts talking at once.
    auto olderBoardLink = std::make_unique<ProgrammerLink>(ports_->Access());
    olderBoardLink->SetWaitLimitMs(waitLimitMs_);
    olderBoardLink->Open(portName_, delayCount_, stopRequest_, boardCode);
    link_->Close();
    link_ = std::move(olderBoardLink);
    return !Failed();
}

void BoardSession::PostError(const std::string& text)
{
    errorPosted_ = true;
    host_.AddStatusMessage(text, StatusKind::Error);
}

} // namespace zav
