#include "link/programmer_link.h"

#include <utility>

#include "link/board_commands.h"
#include "link/parallel_board_protocol.h"
#include "link/port_name.h"
#include "link/serial_board_protocol.h"

namespace zav {

namespace {

constexpr int kMaxSettleDelayMs = 1000;
// The MC68HC11 bootstrap ROM answers this long after its reset has settled.
constexpr int kHc11RomStartMs = 800;

const char* const kOpenError = "Error opening port: ";

} // namespace

ProgrammerLink::ProgrammerLink() : context_(nullptr) {}

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
    settleDelayMs_ = kInitialSettleDelayMs;
    boardCode_ = boardCode;
    profile_ = &BoardProfileFor(boardCode);
    context_.SetStopRequest(stopRequest);

    const std::optional<PortName> name = PortName::Parse(portName);
    if (!name) {
        FailOpen(portName, "");
    } else if (name->IsParallel()) {
        OpenParallel(portName, name->Number(), delayCount);
    } else {
        OpenSerial(portName);
    }
}

void ProgrammerLink::OpenParallel(const std::string& portName, int portNumber, int delayCount)
{
    if (ports_.parallel == nullptr) {
        FailOpen(portName, "no parallel port access on this system");
        return;
    }
    parallel_ = std::make_unique<ParallelBoardProtocol>(*ports_.parallel, *profile_, context_);
    std::string cause;
    switch (parallel_->Open(portNumber, delayCount, cause)) {
    case ParallelBoardProtocol::OpenOutcome::Open:
        return;
    case ParallelBoardProtocol::OpenOutcome::Unusable:
        FailOpen(portName, cause);
        break;
    case ParallelBoardProtocol::OpenOutcome::ClockReadyUnreadable:
        // The cause is the fix, so it goes into the error line itself.
        FailOpen(portName, "");
        context_.lastError += ": " + cause;
        break;
    }
    parallel_.reset();
}

void ProgrammerLink::OpenSerial(const std::string& portName)
{
    if (ports_.serial == nullptr) {
        FailOpen(portName, "no serial port access on this system");
        return;
    }
    serial_ = std::make_unique<SerialBoardProtocol>(*ports_.serial, *profile_, context_);
    std::string cause;
    if (serial_->Open(portName, cause)) return;
    FailOpen(portName, cause);
    // A port that opened but could not be set up is still released by Close.
    if (!serial_->IsOpen()) serial_.reset();
}

void ProgrammerLink::FailOpen(const std::string& portName, std::string cause)
{
    context_.lastError = kOpenError + portName;
    errorCause_ = std::move(cause);
}

void ProgrammerLink::Close()
{
    if (serial_) serial_->Close();
    serial_.reset();
    if (parallel_) parallel_->Close();
    parallel_.reset();
}

std::vector<std::string> ProgrammerLink::ListParallelPorts(ParallelPortIo& io)
{
    std::vector<std::string> names;
    for (const PortName& name : PortName::All(PortName::Kind::Parallel)) {
        if (io.BaseAddress(name.Number()) != 0) names.push_back(name.Text());
    }
    if (names.empty()) names.emplace_back(kNoPortDetected);
    return names;
}

std::vector<std::string> ProgrammerLink::ListSerialPorts(SerialPort& port)
{
    std::vector<std::string> names;
    for (const PortName& portName : PortName::All(PortName::Kind::Serial)) {
        const std::string name = portName.Text();
        if (port.Open(name)) {
            port.Close();
            names.push_back(name);
        }
    }
    if (names.empty()) names.emplace_back(kNoPortDetected);
    return names;
}

void ProgrammerLink::SetDataLine(std::uint8_t bit)
{
    if (parallel_) parallel_->SetDataLine(bit);
}

std::uint8_t ProgrammerLink::ReadDataLine()
{
    return parallel_ ? parallel_->ReadDataLine() : 0;
}

void ProgrammerLink::ClockPulse()
{
    if (parallel_) parallel_->ClockPulse();
}

bool ProgrammerLink::WaitReady(std::optional<std::int64_t> deadlineUs)
{
    if (parallel_) return parallel_->WaitReady(deadlineUs);
    // Without a parallel port there is no ready line to watch: only the stop request counts.
    return context_.WaitUntilReady([] { return true; }, "", deadlineUs);
}

bool ProgrammerLink::CheckStop()
{
    if (!context_.StopRequested()) return true;
    context_.lastError = LinkContext::kNotReady;
    return false;
}

void ProgrammerLink::SendByte(std::uint8_t value)
{
    if (parallel_) parallel_->SendByte(value);
}

std::uint8_t ProgrammerLink::ReceiveByte()
{
    if (parallel_) return parallel_->ReceiveByte();
    (void)WaitReady();
    return 0;
}

void ProgrammerLink::ResetTarget()
{
    if (serial_) serial_->ResetTarget();
    if (parallel_) parallel_->ResetTarget();
}

std::uint8_t ProgrammerLink::ReadByteAt(std::uint16_t address)
{
    if (!WaitReady()) return 0;
    if (serial_) return serial_->ReadByteAt(address);
    if (parallel_) return parallel_->ReadByteAt(address);
    context_.lastError = LinkContext::kCommunicationError;
    return 0;
}

void ProgrammerLink::WriteByteAt(std::uint16_t address, std::uint8_t value)
{
    if (!WaitReady()) return;
    if (serial_) {
        serial_->WriteByteAt(address, value, settleDelayMs_);
    } else if (parallel_) {
        parallel_->WriteByteAt(address, value, settleDelayMs_);
    } else {
        context_.lastError = LinkContext::kCommunicationError;
    }
}

std::uint8_t ProgrammerLink::ReadBoardId()
{
    if (profile_->tmsCommands) return ReadByteAt(kBoardIdAddress);
    if (parallel_) return parallel_->ReadBoardId();
    return ReceiveByte();
}

std::string ProgrammerLink::IdentifyHc11()
{
    context_.Sleep(kHc11RomStartMs);
    std::uint8_t a = ReadByteAt(0xBFBE);
    if (!LastError().empty()) return {};
    std::uint8_t b = ReadByteAt(0xBFBF);
    if (!LastError().empty()) return {};
    if (a == 0xE0 || b == 0x18) return "MC68HC11PA8";
    if (a == 0x52 || b == 0x50) return "MC68HC11P2";
    a = ReadByteAt(0xBFD4);
    if (!LastError().empty()) return {};
    b = ReadByteAt(0xBFD5);
    if (!LastError().empty()) return {};
    if (a == 0x54 || b == 0x4B) return "MC68HC11KA4";
    return {};
}

bool ProgrammerLink::UploadLoader()
{
    context_.lastError.clear();
    if (serial_) return serial_->UploadLoader();
    context_.lastError = LinkContext::kCommunicationError;
    return false;
}

void ProgrammerLink::SendEraseCommand()
{
    context_.lastError.clear();
    if (serial_) serial_->SendEraseCommand(settleDelayMs_);
    if (parallel_) parallel_->SendEraseCommand();
}

void ProgrammerLink::SendUnlockCommand()
{
    context_.lastError.clear();
    if (parallel_) {
        parallel_->SendUnlockCommand();
    } else {
        context_.Sleep(kEraseSettleMs);
    }
}

void ProgrammerLink::CalibrateSettleDelay(std::uint16_t address)
{
    const std::uint8_t saved = ReadByteAt(address);
    if (!LastError().empty()) return;
    std::uint8_t last = saved;
    for (;;) {
        const auto complement = static_cast<std::uint8_t>(~last);
        WriteByteAt(address, complement);
        if (!LastError().empty()) return;
        const std::uint8_t read = ReadByteAt(address);
        if (!LastError().empty()) return;
        if (read == complement || settleDelayMs_ >= kMaxSettleDelayMs) break;
        settleDelayMs_ *= 2;
        last = read;
    }
    WriteByteAt(address, saved);
}

std::uint16_t ProgrammerLink::BaseAddress() const
{
    return parallel_ ? parallel_->BaseAddress() : 0;
}

int ProgrammerLink::PulseCount() const
{
    return parallel_ ? parallel_->PulseCount() : 0;
}

bool ProgrammerLink::ReadyOnStatusLine() const
{
    return parallel_ ? parallel_->ReadyOnStatusLine() : true;
}

} // namespace zav
