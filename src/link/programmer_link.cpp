#include "link/programmer_link.h"

#include <algorithm>
#include <utility>

#include "link/delay_count.h"
#include "link/loader_image.h"
#include "link/real_time_clock.h"

namespace zav {

namespace {

constexpr std::uint16_t kDataOffset = 0;
constexpr std::uint16_t kStatusOffset = 1;
constexpr std::uint16_t kControlOffset = 2;
constexpr std::uint8_t kStatusReady = 0x08;
constexpr std::uint8_t kStatusData = 0x20;
constexpr std::uint8_t kControlClock = 0x01;

constexpr int kParallelPortCount = 3;
constexpr int kSerialPortCount = 8;
constexpr int kTmsPulseExtra = 40;
constexpr int kSlowClockFactor = 10;
constexpr int kReadyDetectionPasses = 32;
constexpr int kMaxSettleDelayMs = 1000;
constexpr std::uint32_t kSerialReadTimeoutMs = 100;
// A serial write waits at most this long in all, in slices short enough that a stop
// request ends a blocked write within one slice.
constexpr std::uint32_t kSerialWriteTimeoutMs = 1000;
constexpr std::uint32_t kSerialWriteSliceMs = 50;

const char* const kOpenError = "Error opening port: ";
const char* const kNotReady = "Programmer Not Ready.";
const char* const kCommunicationError = "Communication Error.";

std::uint8_t ReverseBits(std::uint8_t value)
{
    std::uint8_t reversed = 0;
    for (int i = 0; i < 8; ++i) {
        reversed = static_cast<std::uint8_t>((reversed << 1) | ((value >> i) & 1));
    }
    return reversed;
}

std::uint8_t LowByte(std::uint16_t address)
{
    return static_cast<std::uint8_t>(address & 0xFF);
}
std::uint8_t HighByte(std::uint16_t address)
{
    return static_cast<std::uint8_t>(address >> 8);
}

// The n of "LPTn"/"COMn" for n in 1..count, exact and case-sensitive; 0 otherwise.
int PortNumber(const std::string& portName, const std::string& prefix, int count)
{
    for (int n = 1; n <= count; ++n) {
        if (portName == prefix + std::to_string(n)) return n;
    }
    return 0;
}

std::atomic<bool> neverStop{false};

} // namespace

ProgrammerLink::ProgrammerLink() : stopRequest_(&neverStop) {}

ProgrammerLink::ProgrammerLink(const PortAccess& ports) : ports_(ports), stopRequest_(&neverStop) {}

ProgrammerLink::~ProgrammerLink()
{
    Close();
}

void ProgrammerLink::Open(const std::string& portName, int delayCount, const std::atomic<bool>& stopRequest,
                          std::uint8_t boardCode)
{
    Close();
    lastError_.clear();
    errorCause_.clear();
    clockReadyUnreadable_ = false;
    settleDelayMs_ = kInitialSettleDelayMs;
    boardCode_ = boardCode;
    profile_ = &BoardProfileFor(boardCode);
    stopRequest_ = &stopRequest;

    if (const int lpt = PortNumber(portName, "LPT", kParallelPortCount); lpt != 0) {
        OpenParallel(lpt, delayCount);
        if (clockReadyUnreadable_) {
            // The cause is the fix, so it goes into the error line itself.
            const std::string fix = std::exchange(errorCause_, {});
            FailOpen(portName, "");
            lastError_ += ": " + fix;
        } else if (!IsParallel()) {
            FailOpen(portName, errorCause_);
        }
        return;
    }
    if (PortNumber(portName, "COM", kSerialPortCount) != 0) {
        OpenSerial(portName);
        return;
    }
    FailOpen(portName, "");
}

void ProgrammerLink::OpenParallel(int portNumber, int delayCount)
{
    if (ports_.parallel == nullptr) {
        errorCause_ = "no parallel port access on this system";
        return;
    }
    const std::uint16_t base = ports_.parallel->BaseAddress(portNumber);
    if (base == 0) {
        // A port that does not exist must never have I/O addresses 0 to 2 written.
        errorCause_ = ports_.parallel->FailureCause();
        return;
    }
    if (!ports_.parallel->Claim(portNumber)) {
        errorCause_ = ports_.parallel->FailureCause();
        return;
    }
    claimedPort_ = portNumber;
    baseAddress_ = base;
    // A negative count would leave the clock without pulses at all, and a huge one would
    // overflow below and stretch every pulse past any stop.
    pulseCount_ = std::clamp(delayCount, kMinDelayCount, kMaxDelayCount);
    if (profile_->tmsTiming) {
        pulseCount_ += kTmsPulseExtra;
        if (ports_.parallel->SlowClockTest() == 0) pulseCount_ *= kSlowClockFactor;
    }
    readyOnStatusLine_ = true;
    if (profile_->ready == ReadySignal::StatusOrClock) DetectReadyLine();
    if (!readyOnStatusLine_ && !ports_.parallel->ReadsControlLines(portNumber)) {
        // Unpaced, such a board would silently lose nearly every write.
        clockReadyUnreadable_ = true;
        errorCause_ = ports_.parallel->FailureCause();
        Close();
    }
}

void ProgrammerLink::OpenSerial(const std::string& portName)
{
    SerialPort* port = ports_.serial;
    if (port == nullptr) {
        FailOpen(portName, "no serial port access on this system");
        return;
    }
    if (!port->Open(portName)) {
        FailOpen(portName, port->FailureCause());
        return;
    }
    serialOpen_ = true;

    SerialTimeouts timeouts;
    if (!port->GetTimeouts(timeouts)) {
        FailOpen(portName, "");
        return;
    }
    savedTimeouts_ = timeouts;
    SerialTimeouts oneByteReads;
    oneByteReads.readTotalConstant = kSerialReadTimeoutMs;
    oneByteReads.writeTotalConstant = kSerialWriteSliceMs;
    if (!port->SetTimeouts(oneByteReads)) {
        FailOpen(portName, "");
        return;
    }

    SerialLineSettings settings;
    if (!port->GetLineSettings(settings)) {
        FailOpen(portName, "");
        return;
    }
    savedLineSettings_ = settings;
    // The line carries binary bytes: 8N1 without any flow control, whatever the port had.
    settings.baudRate = 9600;
    settings.dataBits = 8;
    settings.stopBits = 1;
    settings.parity = SerialParity::None;
    settings.parityCheck = false;
    settings.xonXoff = false;
    settings.ctsOutputFlow = false;
    settings.dsrOutputFlow = false;
    settings.dsrSensitivity = false;
    settings.dtrOn = true;
    settings.rtsOn = true;
    if (!port->SetLineSettings(settings)) FailOpen(portName, "");
}

void ProgrammerLink::FailOpen(const std::string& portName, std::string cause)
{
    lastError_ = kOpenError + portName;
    errorCause_ = std::move(cause);
}

void ProgrammerLink::DetectReadyLine()
{
    // The board whose ready signal is on status bit 3 loops the inverted clock back to it
    // while idle; the other kind is read through the clock line's read-back.
    for (int i = 0; i < kReadyDetectionPasses; ++i) {
        WriteControl(static_cast<std::uint8_t>(1 - i % 2));
        Sleep(1);
        const int statusBit =
            (ports_.parallel->Read(baseAddress_ + kStatusOffset) & kStatusReady) != 0 ? 1 : 0;
        if (statusBit != i % 2) {
            readyOnStatusLine_ = false;
            return;
        }
    }
}

void ProgrammerLink::Close()
{
    if (serialOpen_) {
        SerialPort& port = *ports_.serial;
        (void)port.PurgeReceive();
        if (savedTimeouts_) (void)port.SetTimeouts(*savedTimeouts_);
        if (savedLineSettings_) (void)port.SetLineSettings(*savedLineSettings_);
        port.Close();
        serialOpen_ = false;
        savedTimeouts_.reset();
        savedLineSettings_.reset();
    }
    if (IsParallel()) {
        ports_.parallel->Write(baseAddress_ + kDataOffset, 0);
        ports_.parallel->Release(claimedPort_);
        baseAddress_ = 0;
        claimedPort_ = 0;
    }
}

std::vector<std::string> ProgrammerLink::ListParallelPorts(ParallelPortIo& io)
{
    std::vector<std::string> names;
    for (int n = 1; n <= kParallelPortCount; ++n) {
        if (io.BaseAddress(n) != 0) names.push_back("LPT" + std::to_string(n));
    }
    if (names.empty()) names.emplace_back(kNoPortDetected);
    return names;
}

std::vector<std::string> ProgrammerLink::ListSerialPorts(SerialPort& port)
{
    std::vector<std::string> names;
    for (int n = 1; n <= kSerialPortCount; ++n) {
        const std::string name = "COM" + std::to_string(n);
        if (port.Open(name)) {
            port.Close();
            names.push_back(name);
        }
    }
    if (names.empty()) names.emplace_back(kNoPortDetected);
    return names;
}

void ProgrammerLink::WriteControl(std::uint8_t value)
{
    if (IsParallel()) ports_.parallel->Write(baseAddress_ + kControlOffset, value);
}

void ProgrammerLink::Sleep(int milliseconds)
{
    if (ports_.clock != nullptr) {
        ports_.clock->SleepMs(milliseconds);
        return;
    }
    RealTimeClock().SleepMs(milliseconds);
}

void ProgrammerLink::SettleAfterReset(int milliseconds)
{
    if (stopRequest_ == nullptr) {
        Sleep(milliseconds);
        return;
    }
    RealTimeClock realTime;
    Clock& clock = ports_.clock != nullptr ? *ports_.clock : realTime;
    if (clock.SleepMsUnlessStopped(milliseconds, *stopRequest_)) lastError_ = kNotReady;
}

void ProgrammerLink::SetDataLine(std::uint8_t bit)
{
    if (IsParallel()) ports_.parallel->Write(baseAddress_ + kDataOffset, bit & 1);
}

std::uint8_t ProgrammerLink::ReadDataLine()
{
    if (!IsParallel()) return 0;
    return (ports_.parallel->Read(baseAddress_ + kStatusOffset) & kStatusData) != 0 ? 1 : 0;
}

void ProgrammerLink::ClockPulse()
{
    if (!IsParallel()) return;
    ParallelPortIo& io = *ports_.parallel;
    const std::uint16_t control = baseAddress_ + kControlOffset;
    const std::uint8_t first = profile_->clockIdlesLow ? 1 : 0;
    const auto second = static_cast<std::uint8_t>(first ^ 1);
    // The writes are the pulse's only timing, so the stop request is looked at between them:
    // a stop ends the pulse at once, with the clock line back at its resting level.
    for (int i = 0; i <= pulseCount_; ++i) {
        if (stopRequest_->load(std::memory_order_relaxed)) {
            io.Write(control, second);
            lastError_ = kNotReady;
            return;
        }
        io.Write(control, first);
    }
    for (int i = 0; i <= pulseCount_; ++i) io.Write(control, second);
}

bool ProgrammerLink::ReadyConditionHolds()
{
    switch (profile_->ready) {
    case ReadySignal::StatusActiveLow:
        return (ports_.parallel->Read(baseAddress_ + kStatusOffset) & kStatusReady) == 0;
    case ReadySignal::StatusOrClock:
        if (readyOnStatusLine_) {
            return (ports_.parallel->Read(baseAddress_ + kStatusOffset) & kStatusReady) != 0;
        }
        return (ports_.parallel->Read(baseAddress_ + kControlOffset) & kControlClock) == 0;
    default:
        return true;
    }
}

bool ProgrammerLink::WaitReady()
{
    // Without a parallel port there is no ready line to watch: only the stop request counts.
    const bool hasReadyLine = IsParallel();
    while (!stopRequest_->load(std::memory_order_acquire)) {
        if (!hasReadyLine || ReadyConditionHolds()) {
            lastError_.clear();
            return true;
        }
    }
    lastError_ = kNotReady;
    return false;
}

bool ProgrammerLink::CheckStop()
{
    if (!stopRequest_->load(std::memory_order_acquire)) return true;
    lastError_ = kNotReady;
    return false;
}

void ProgrammerLink::SendByte(std::uint8_t value)
{
    if (!IsParallel()) return;
    if (profile_->msbFirst) value = ReverseBits(value);
    if (profile_->framed) {
        SetDataLine(0);
        ClockPulse();
    }
    for (int i = 0; i < 8; ++i) {
        SetDataLine(static_cast<std::uint8_t>((value >> i) & 1));
        ClockPulse();
    }
    if (profile_->framed) {
        SetDataLine(1);
        ClockPulse();
    }
}

std::uint8_t ProgrammerLink::ReceiveByte()
{
    if (!WaitReady()) return 0;
    if (!IsParallel()) return 0;
    if (!profile_->framed) SetDataLine(1);
    const bool clockFirst = profile_->clockBeforeSample;
    std::uint8_t result = 0;
    for (int i = 0; i < 8; ++i) {
        if (clockFirst) ClockPulse();
        if (ReadDataLine() == 1) result |= 0x80;
        if (i != 7) result >>= 1;
        if (!clockFirst) ClockPulse();
    }
    if (profile_->framed) ClockPulse();
    if (profile_->invertedReceive) return static_cast<std::uint8_t>(result ^ 0xFF);
    if (profile_->msbFirst) return ReverseBits(result);
    return result;
}

void ProgrammerLink::ResetTarget()
{
    if (serialOpen_) {
        SerialPort& port = *ports_.serial;
        // Modem-line changes are best effort: the wiring, not the call, decides the reset.
        (void)port.SetDtr(true);
        (void)port.SetRts(false);
        Sleep(5);
        (void)port.SetRts(true);
        Sleep(300);
        (void)port.SetRts(false);
        Sleep(100);
        (void)port.SetDtr(false);
        SettleAfterReset(100);
        return;
    }
    if (!IsParallel()) return;
    switch (profile_->reset) {
    case BoardReset::Hc11:
        SetDataLine(0);
        Sleep(1);
        WriteControl(3);
        Sleep(1);
        WriteControl(1);
        SettleAfterReset(1500);
        break;
    case BoardReset::Tms:
        WriteControl(1);
        SetDataLine(1);
        Sleep(1);
        WriteControl(3);
        Sleep(50);
        WriteControl(1);
        SettleAfterReset(500);
        if (profile_->tmsCommands && lastError_.empty()) {
            SetDataLine(0);
            ClockPulse();
        }
        break;
    case BoardReset::Standard:
        WriteControl(0);
        SetDataLine(0);
        Sleep(100);
        WriteControl(2);
        Sleep(100);
        WriteControl(0);
        SettleAfterReset(800);
        break;
    }
}

void ProgrammerLink::SetCommunicationError()
{
    lastError_ = kCommunicationError;
}

bool ProgrammerLink::SerialWrite(std::uint8_t value)
{
    for (std::uint32_t waited = 0; waited < kSerialWriteTimeoutMs; waited += kSerialWriteSliceMs) {
        if (ports_.serial->WriteByte(value)) return true;
        if (stopRequest_->load(std::memory_order_acquire)) {
            lastError_ = kNotReady;
            return false;
        }
    }
    SetCommunicationError();
    return false;
}

void ProgrammerLink::SendAddress(std::uint16_t address, bool highByte)
{
    if (highByte) SendByte(HighByte(address));
    SendByte(LowByte(address));
}

std::uint8_t ProgrammerLink::ReadByteAt(std::uint16_t address)
{
    if (!WaitReady()) return 0;
    if (serialOpen_) return SerialReadByteAt(address);
    if (!IsParallel()) {
        SetCommunicationError();
        return 0;
    }
    SendByte(profile_->tmsCommands ? 0xC0 : 0xA0);
    SendAddress(address, profile_->readHighAddress);
    return ReceiveByte();
}

std::uint8_t ProgrammerLink::SerialReadByteAt(std::uint16_t address)
{
    SerialPort& port = *ports_.serial;
    if (!port.PurgeReceive()) {
        SetCommunicationError();
        return 0;
    }
    if (!SerialWrite(0xC0)) return 0;
    Sleep(1);
    if (!SerialWrite(LowByte(address))) return 0;
    Sleep(10);
    std::uint8_t value = 0;
    switch (port.ReadByte(value)) {
    case SerialReadResult::Received:
        return value;
    case SerialReadResult::TimedOut:
        return 0;
    case SerialReadResult::Failed:
        break;
    }
    SetCommunicationError();
    return 0;
}

void ProgrammerLink::WriteByteAt(std::uint16_t address, std::uint8_t value)
{
    if (!WaitReady()) return;
    if (serialOpen_) {
        SerialWriteByteAt(address, value);
        return;
    }
    if (!IsParallel()) {
        SetCommunicationError();
        return;
    }
    SendByte(profile_->tmsCommands ? 0xA0 : 0xC0);
    SendAddress(address, profile_->writeHighAddress);
    SendByte(value);
    // Boards with a ready signal pace writes with it instead.
    if (profile_->ready == ReadySignal::None) Sleep(settleDelayMs_);
}

void ProgrammerLink::SerialWriteByteAt(std::uint16_t address, std::uint8_t value)
{
    if (!SerialWrite(0xA0)) return;
    Sleep(1);
    if (!SerialWrite(LowByte(address))) return;
    Sleep(1);
    if (!SerialWrite(value)) return;
    Sleep(settleDelayMs_);
}

std::uint8_t ProgrammerLink::ReadBoardId()
{
    if (profile_->tmsCommands) return ReadByteAt(kBoardIdAddress);
    if (profile_->framed) ClockPulse();
    return ReceiveByte();
}

std::string ProgrammerLink::IdentifyHc11()
{
    Sleep(800);
    std::uint8_t a = ReadByteAt(0xBFBE);
    if (!lastError_.empty()) return {};
    std::uint8_t b = ReadByteAt(0xBFBF);
    if (!lastError_.empty()) return {};
    if (a == 0xE0 || b == 0x18) return "MC68HC11PA8";
    if (a == 0x52 || b == 0x50) return "MC68HC11P2";
    a = ReadByteAt(0xBFD4);
    if (!lastError_.empty()) return {};
    b = ReadByteAt(0xBFD5);
    if (!lastError_.empty()) return {};
    if (a == 0x54 || b == 0x4B) return "MC68HC11KA4";
    return {};
}

bool ProgrammerLink::UploadLoader()
{
    lastError_.clear();
    if (!serialOpen_) {
        SetCommunicationError();
        return false;
    }
    SerialPort& port = *ports_.serial;
    const std::uint8_t sum = LoaderImageSum();
    if (!port.PurgeTransmit()) {
        SetCommunicationError();
        return false;
    }
    if (!SerialWrite(static_cast<std::uint8_t>(LoaderImage.size() + 1))) return false;
    Sleep(1);
    for (const std::uint8_t byte : LoaderImage) {
        if (!SerialWrite(byte)) return false;
        Sleep(1);
        if (!WaitReady()) return false;
    }
    Sleep(100);
    if (!WaitReady()) return false;
    std::uint8_t reply = 0;
    switch (port.ReadByte(reply)) {
    case SerialReadResult::Received:
        return reply == sum;
    case SerialReadResult::TimedOut:
        return false;
    case SerialReadResult::Failed:
        break;
    }
    SetCommunicationError();
    return false;
}

void ProgrammerLink::SendEraseCommand()
{
    lastError_.clear();
    if (serialOpen_) {
        if (!SerialWrite(0xE0)) return;
        Sleep(1);
        if (!SerialWrite(0x00)) return;
        Sleep(1);
        if (!SerialWrite(0xFF)) return;
        Sleep(settleDelayMs_);
        return;
    }
    if (profile_->reset == BoardReset::Hc11) {
        SendByte(0xC8);
        SendByte(0xAA);
        Sleep(30);
    }
}

void ProgrammerLink::SendUnlockCommand()
{
    lastError_.clear();
    SendByte(0xA8);
    Sleep(30);
}

void ProgrammerLink::CalibrateSettleDelay(std::uint16_t address)
{
    const std::uint8_t saved = ReadByteAt(address);
    if (!lastError_.empty()) return;
    std::uint8_t last = saved;
    for (;;) {
        const auto complement = static_cast<std::uint8_t>(~last);
        WriteByteAt(address, complement);
        if (!lastError_.empty()) return;
        const std::uint8_t read = ReadByteAt(address);
        if (!lastError_.empty()) return;
        if (read == complement || settleDelayMs_ >= kMaxSettleDelayMs) break;
        settleDelayMs_ *= 2;
        last = read;
    }
    WriteByteAt(address, saved);
}

} // namespace zav
