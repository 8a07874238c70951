#include "link/programmer_link.h"

#include <utility>

#include "link/parallel_board_protocol.h"
#include "link/port_name.h"
#include "link/serial_board_protocol.h"

namespace zav {

namespace {

const char* const kOpenError = "Error opening port: ";

} // namespace

ProgrammerLink::ProgrammerLink(const PortAccess& ports) : ports_(ports), context_(ports.clock) {}

ProgrammerLink::~ProgrammerLink()
{
    Close();
}

void ProgrammerLink::Open(const std::string& portName, int delayCount, const std::atomic<bool>& stopRequest,
                          std::uint8_t boardCode)
{
    Close();
    context_.lastError.clear();
    errorCause_.clear();
    profile_ = &BoardProfileFor(boardCode);
    noBoard_.SetProfile(*profile_);
    context_.SetStopRequest(stopRequest);

    const std::optional<PortName> name = PortName::Parse(portName);
    if (!name) {
        FailOpen(portName, "");
        return;
    }
    opened_ = name->IsParallel() ? OpenParallel(portName, name->Number(), delayCount) : OpenSerial(portName);
    if (opened_) protocol_ = opened_.get();
}

std::unique_ptr<BoardProtocol> ProgrammerLink::OpenParallel(const std::string& portName, int portNumber,
                                                            int delayCount)
{
    if (ports_.parallel == nullptr) {
        FailOpen(portName, "no parallel port access on this system");
        return nullptr;
    }
    auto parallel = std::make_unique<ParallelBoardProtocol>(*ports_.parallel, *profile_, context_);
    std::string cause;
    switch (parallel->Open(portNumber, delayCount, cause)) {
    case ParallelBoardProtocol::OpenOutcome::Open:
        return parallel;
    case ParallelBoardProtocol::OpenOutcome::Unusable:
        FailOpen(portName, cause);
        break;
    case ParallelBoardProtocol::OpenOutcome::ClockReadyUnreadable:
        // The cause is the fix, so it goes into the error line itself.
        FailOpen(portName, "");
        context_.lastError += ": " + cause;
        break;
    }
    return nullptr;
}

std::unique_ptr<BoardProtocol> ProgrammerLink::OpenSerial(const std::string& portName)
{
    if (ports_.serial == nullptr) {
        FailOpen(portName, "no serial port access on this system");
        return nullptr;
    }
    auto serial = std::make_unique<SerialBoardProtocol>(*ports_.serial, *profile_, context_);
    std::string cause;
    if (serial->Open(portName, cause)) return serial;
    FailOpen(portName, cause);
    // A port that opened but could not be set up is still released by Close.
    if (serial->IsOpen()) return serial;
    return nullptr;
}

void ProgrammerLink::FailOpen(const std::string& portName, std::string cause)
{
    context_.lastError = kOpenError + portName;
    errorCause_ = std::move(cause);
}

void ProgrammerLink::Close()
{
    protocol_->Close();
    protocol_ = &noBoard_;
    opened_.reset();
}

bool ProgrammerLink::CheckStop()
{
    if (!context_.StopRequested()) return true;
    context_.lastError = LinkContext::kNotReady;
    return false;
}

// These three start from a clean slate: the previous command's outcome is not theirs.
bool ProgrammerLink::UploadLoader()
{
    context_.lastError.clear();
    return protocol_->UploadLoader();
}

void ProgrammerLink::SendEraseCommand()
{
    context_.lastError.clear();
    protocol_->SendEraseCommand();
}

void ProgrammerLink::SendUnlockCommand()
{
    context_.lastError.clear();
    protocol_->SendUnlockCommand();
}

} // namespace zav
