#include "link/parallel_board_protocol.h"

#include <algorithm>
#include <array>
#include <cctype>

#include "link/board_commands.h"
#include "link/delay_count.h"

namespace zav {

namespace {

constexpr int kTmsPulseExtra = 40;
constexpr int kSlowClockFactor = 10;
constexpr int kReadyDetectionPasses = 32;

std::uint8_t ReverseBits(std::uint8_t value)
{
    std::uint8_t reversed = 0;
    for (int i = 0; i < 8; ++i) {
        reversed = static_cast<std::uint8_t>((reversed << 1) | ((value >> i) & 1));
    }
    return reversed;
}

} // namespace

ParallelBoardProtocol::ParallelBoardProtocol(ParallelPortIo& io, const BoardProfile& profile,
                                             LinkContext& context)
    : io_(io), profile_(profile), context_(context)
{
}

ParallelBoardProtocol::OpenOutcome ParallelBoardProtocol::Open(int portNumber, int delayCount,
                                                               std::string& cause)
{
    const std::uint16_t base = io_.BaseAddress(portNumber);
    if (base == 0) {
        // A port that does not exist must never have I/O addresses 0 to 2 written.
        cause = io_.FailureCause();
        return OpenOutcome::Unusable;
    }
    if (!io_.Claim(portNumber)) {
        cause = io_.FailureCause();
        return OpenOutcome::Unusable;
    }
    claimedPort_ = portNumber;
    baseAddress_ = base;
    // A negative count would leave the clock without pulses at all, and a huge one would
    // overflow below and stretch every pulse past any stop.
    pulseCount_ = std::clamp(delayCount, kMinDelayCount, kMaxDelayCount);
    if (profile_.tmsTiming) {
        pulseCount_ += kTmsPulseExtra;
        if (io_.SlowClockTest() == 0) pulseCount_ *= kSlowClockFactor;
    }
    readyOnStatusLine_ = true;
    if (profile_.ready == ReadySignal::StatusOrClock) DetectReadyLine();
    if (io_.Lost()) {
        cause = io_.LostCause();
        Close();
        return OpenOutcome::Unusable;
    }
    if (!readyOnStatusLine_ && !io_.ReadsControlLines(portNumber)) {
        // Unpaced, such a board would silently lose nearly every write.
        cause = io_.FailureCause();
        Close();
        return OpenOutcome::ClockReadyUnreadable;
    }
    return OpenOutcome::Open;
}

void ParallelBoardProtocol::DetectReadyLine()
{
    // The board whose ready signal is on status bit 3 loops the inverted clock back to it
    // while idle; the other kind is read through the clock line's read-back.
    for (int i = 0; i < kReadyDetectionPasses; ++i) {
        WriteControl(static_cast<std::uint8_t>(1 - i % 2));
        context_.Sleep(1);
        const int statusBit = (io_.Read(baseAddress_ + kStatusOffset) & kStatusReady) != 0 ? 1 : 0;
        if (statusBit != i % 2) {
            readyOnStatusLine_ = false;
            return;
        }
    }
}

void ParallelBoardProtocol::Close()
{
    if (baseAddress_ == 0) return;
    io_.Write(baseAddress_ + kDataOffset, 0);
    io_.Release(claimedPort_);
    baseAddress_ = 0;
    claimedPort_ = 0;
}

void ParallelBoardProtocol::WriteControl(std::uint8_t value)
{
    io_.Write(baseAddress_ + kControlOffset, value);
}

void ParallelBoardProtocol::SetDataLine(std::uint8_t bit)
{
    io_.Write(baseAddress_ + kDataOffset, bit & 1);
}

void ParallelBoardProtocol::ClockPulse()
{
    const std::uint16_t control = baseAddress_ + kControlOffset;
    const std::uint8_t first = profile_.clockIdlesLow ? 1 : 0;
    const auto second = static_cast<std::uint8_t>(first ^ 1);
    const int writesPerHalf = pulseCount_ + 1;
    // The writes are the pulse's only timing, so the stop request is looked at between them:
    // a stop ends the pulse at once, with the clock line back at its resting level.
    if (io_.WriteRepeated(control, first, writesPerHalf, &context_.StopRequest()) < writesPerHalf) {
        io_.Write(control, second);
        context_.lastError = LinkContext::kNotReady;
        return;
    }
    io_.WriteRepeated(control, second, writesPerHalf, nullptr);
}

bool ParallelBoardProtocol::ReadyConditionHolds()
{
    switch (profile_.ready) {
    case ReadySignal::StatusActiveLow:
        return (io_.Read(baseAddress_ + kStatusOffset) & kStatusReady) == 0;
    case ReadySignal::StatusOrClock:
        if (readyOnStatusLine_) return (io_.Read(baseAddress_ + kStatusOffset) & kStatusReady) != 0;
        return (io_.Read(baseAddress_ + kControlOffset) & kControlClock) == 0;
    default:
        return true;
    }
}

const char* ParallelBoardProtocol::ReadyLineName() const
{
    if (profile_.ready == ReadySignal::StatusOrClock && !readyOnStatusLine_) return "the clock line (pin 1)";
    return "the status line (pin 15)";
}

bool ParallelBoardProtocol::WaitReady(std::optional<std::int64_t> deadlineUs)
{
    // A lost port ends the wait at once instead of leaving it to the deadline or the user.
    const bool ready = context_.WaitUntilReady([this] { return io_.Lost() || ReadyConditionHolds(); },
                                               ReadyLineName(), deadlineUs);
    return !FailIfLost() && ready;
}

bool ParallelBoardProtocol::FailIfLost()
{
    if (!io_.Lost()) return false;
    std::string cause = io_.LostCause();
    if (!cause.empty()) cause[0] = static_cast<char>(std::toupper(static_cast<unsigned char>(cause[0])));
    context_.lastError = std::string(LinkContext::kCommunicationError) + " " + cause;
    return true;
}

void ParallelBoardProtocol::SendByte(std::uint8_t value)
{
    if (profile_.msbFirst) value = ReverseBits(value);
    if (profile_.framed) {
        SetDataLine(0);
        ClockPulse();
    }
    for (int i = 0; i < 8; ++i) {
        SetDataLine(static_cast<std::uint8_t>((value >> i) & 1));
        ClockPulse();
    }
    if (profile_.framed) {
        SetDataLine(1);
        ClockPulse();
    }
}

std::uint8_t ParallelBoardProtocol::ReceiveByte()
{
    if (!WaitReady(std::nullopt)) return 0;
    if (!profile_.framed) SetDataLine(1);
    const bool clockFirst = profile_.clockBeforeSample;
    // No sample decides a later write, so the eight go out with the pulses between them.
    std::array<std::uint8_t, 8> samples{};
    const auto status = static_cast<std::uint16_t>(baseAddress_ + kStatusOffset);
    for (std::uint8_t& sample : samples) {
        if (clockFirst) ClockPulse();
        io_.ReadLater(status, sample);
        if (!clockFirst) ClockPulse();
    }
    if (profile_.framed) ClockPulse();
    io_.CompleteReads();
    std::uint8_t result = 0;
    for (std::size_t i = 0; i < samples.size(); ++i) {
        if ((samples[i] & kStatusData) != 0) result |= 0x80;
        if (i != 7) result >>= 1;
    }
    if (FailIfLost()) return 0;
    if (profile_.invertedReceive) return static_cast<std::uint8_t>(result ^ 0xFF);
    if (profile_.msbFirst) return ReverseBits(result);
    return result;
}

void ParallelBoardProtocol::ResetTarget()
{
    context_.PlayReset(ResetWaveformFor(profile_.reset), [this](const ResetStep& step) {
        const auto level = static_cast<std::uint8_t>(step.value);
        if (step.action == ResetAction::Control) WriteControl(level);
        if (step.action == ResetAction::Data) SetDataLine(level);
    });
    // The TMS370 boards wait for one clock pulse with the data line low before they listen.
    if (profile_.tmsCommands && context_.lastError.empty()) {
        SetDataLine(0);
        ClockPulse();
    }
    FailIfLost();
}

void ParallelBoardProtocol::SendAddress(std::uint16_t address, bool highByte)
{
    if (highByte) SendByte(static_cast<std::uint8_t>(address >> 8));
    SendByte(static_cast<std::uint8_t>(address & 0xFF));
}

std::uint8_t ParallelBoardProtocol::ReadByteAt(std::uint16_t address)
{
    if (!WaitReady(std::nullopt)) return 0;
    SendByte(profile_.readCommand);
    SendAddress(address, profile_.readHighAddress);
    return ReceiveByte();
}

void ParallelBoardProtocol::WriteByteAt(std::uint16_t address, std::uint8_t value)
{
    if (!WaitReady(std::nullopt)) return;
    SendByte(profile_.writeCommand);
    SendAddress(address, profile_.writeHighAddress);
    SendByte(value);
    // Boards with a ready signal pace writes with it instead.
    if (profile_.ready == ReadySignal::None) context_.Sleep(settleDelayMs_);
    FailIfLost();
}

std::uint8_t ParallelBoardProtocol::ReadBoardId()
{
    if (profile_.tmsCommands) return ReadByteAt(kBoardIdAddress);
    // The framed boards' identification follows their start bit.
    if (profile_.framed) ClockPulse();
    return ReceiveByte();
}

std::string ParallelBoardProtocol::IdentifyHc11()
{
    context_.Sleep(kHc11RomStartMs);
    std::optional<std::uint16_t> pairRead;
    std::uint8_t first = 0;
    std::uint8_t second = 0;
    for (const Hc11VariantMark& mark : kHc11Variants) {
        if (pairRead != mark.address) {
            first = ReadByteAt(mark.address);
            if (!context_.lastError.empty()) return {};
            second = ReadByteAt(static_cast<std::uint16_t>(mark.address + 1));
            if (!context_.lastError.empty()) return {};
            pairRead = mark.address;
        }
        if (first == mark.first || second == mark.second) return mark.name;
    }
    return {};
}

bool ParallelBoardProtocol::UploadLoader()
{
    context_.lastError = LinkContext::kCommunicationError;
    return false;
}

void ParallelBoardProtocol::SendEraseCommand()
{
    if (profile_.reset != BoardReset::Hc11) return;
    for (const std::uint8_t byte : kHc11EraseCommand) SendByte(byte);
    context_.Sleep(kEraseSettleMs);
    FailIfLost();
}

void ParallelBoardProtocol::SendUnlockCommand()
{
    SendByte(kUnlockCommand);
    context_.Sleep(kEraseSettleMs);
    FailIfLost();
}

void ParallelBoardProtocol::CalibrateSettleDelay(std::uint16_t address)
{
    const std::uint8_t saved = ReadByteAt(address);
    if (!context_.lastError.empty()) return;
    std::uint8_t last = saved;
    for (;;) {
        const auto complement = static_cast<std::uint8_t>(~last);
        WriteByteAt(address, complement);
        if (!context_.lastError.empty()) return;
        const std::uint8_t read = ReadByteAt(address);
        if (!context_.lastError.empty()) return;
        if (read == complement || settleDelayMs_ >= kMaxSettleDelayMs) break;
        settleDelayMs_ *= 2;
        last = read;
    }
    WriteByteAt(address, saved);
}

} // namespace zav
