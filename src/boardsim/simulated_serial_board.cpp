#include "boardsim/simulated_serial_board.h"

#include "link/port_name.h"

namespace zav {

namespace {

constexpr std::int64_t kResetPulseUs = 300'000;
constexpr std::int64_t kResetRecoveryUs = 100'000;
constexpr std::int64_t kByteGapUs = 1'000;
constexpr std::int64_t kCommandByteTimeoutUs = 5'000;
constexpr std::uint8_t kStrayByte = 0xE5;
constexpr std::uint8_t kXon = 0x11;
constexpr std::uint8_t kXoff = 0x13;

} // namespace

SimulatedSerialBoard::SimulatedSerialBoard(SimulatedSerialTarget& target, Clock& clock,
                                           const BoardSimOptions& options)
    : target_(target), clock_(clock), strayByte_(options.strayByte)
{
}

bool SimulatedSerialBoard::Open(const std::string& portName)
{
    if (!PortName::IsOfKind(portName, PortName::Kind::Serial)) {
        SetFailureCause("the simulated PC has only " + PortName::RangeText(PortName::Kind::Serial));
        return false;
    }
    if (open_) {
        SetFailureCause(portName_ + " is already in use");
        return false;
    }
    SetFailureCause({});
    open_ = true;
    portName_ = portName;
    received_.clear();
    outputStopped_ = false;
    return true;
}

void SimulatedSerialBoard::Close()
{
    open_ = false;
    received_.clear();
    // The part finishes the write it has started.
    target_.CompleteStartedWrite();
}

bool SimulatedSerialBoard::GetLineSettings(SerialLineSettings& settings)
{
    if (!open_) return false;
    settings = settings_;
    return true;
}

bool SimulatedSerialBoard::SetLineSettings(const SerialLineSettings& settings)
{
    if (!open_) return false;
    const bool rtsWasOn = settings_.rtsOn;
    const bool dtrWasOn = settings_.dtrOn;
    settings_ = settings;
    settings_.rtsOn = rtsWasOn;
    settings_.dtrOn = dtrWasOn;
    ChangeDtr(settings.dtrOn);
    ChangeRts(settings.rtsOn);
    return true;
}

bool SimulatedSerialBoard::SetDtr(bool on)
{
    if (!open_) return false;
    ChangeDtr(on);
    return true;
}

bool SimulatedSerialBoard::SetRts(bool on)
{
    if (!open_) return false;
    ChangeRts(on);
    return true;
}

void SimulatedSerialBoard::ChangeRts(bool on)
{
    const std::int64_t now = clock_.NowUs();
    const bool rising = !settings_.rtsOn && on;
    const bool falling = settings_.rtsOn && !on;
    settings_.rtsOn = on;
    if (rising) rtsRoseUs_ = now;
    if (falling && settings_.dtrOn && now - rtsRoseUs_ >= kResetPulseUs) {
        heldInReset_ = true;
        target_.Reset();
    }
}

void SimulatedSerialBoard::ChangeDtr(bool on)
{
    const bool falling = settings_.dtrOn && !on;
    settings_.dtrOn = on;
    if (falling && heldInReset_) {
        heldInReset_ = false;
        hearsFromUs_ = clock_.NowUs() + kResetRecoveryUs;
    }
}

bool SimulatedSerialBoard::TargetHears(std::int64_t nowUs) const
{
    const bool lineMatchesTarget = settings_.baudRate == 9600 && settings_.dataBits == 8 &&
                                   settings_.stopBits == 1 && settings_.parity == SerialParity::None;
    const bool ready = !lastByteUs_ || nowUs - *lastByteUs_ >= kByteGapUs;
    return lineMatchesTarget && !heldInReset_ && nowUs >= hearsFromUs_ && ready;
}

void SimulatedSerialBoard::DeliverReply(std::uint8_t reply)
{
    if (settings_.xonXoff && (reply == kXon || reply == kXoff)) {
        // The terminal takes them for flow control and never hands them over.
        outputStopped_ = reply == kXoff;
        return;
    }
    received_.push_back(reply);
    if (strayByte_) received_.push_back(kStrayByte);
}

bool SimulatedSerialBoard::PurgeReceive()
{
    if (!open_) return false;
    received_.clear();
    return true;
}

bool SimulatedSerialBoard::PurgeTransmit()
{
    return open_;
}

bool SimulatedSerialBoard::WriteByte(std::uint8_t value)
{
    if (!open_) return false;
    if (outputStopped_) {
        clock_.SleepMs(static_cast<int>(Timeouts().OneByteWriteMs()));
        return false;
    }
    const std::int64_t now = clock_.NowUs();
    const bool heard = TargetHears(now);
    const bool late = lastByteUs_ && now - *lastByteUs_ > kCommandByteTimeoutUs;
    lastByteUs_ = now;
    if (!heard) return true;
    if (late) target_.AbandonCommand();
    if (const auto reply = target_.Receive(value)) DeliverReply(*reply);
    return true;
}

SerialReadResult SimulatedSerialBoard::ReadByte(std::uint8_t& value)
{
    if (!open_) return SerialReadResult::Failed;
    if (received_.empty()) {
        clock_.SleepMs(static_cast<int>(Timeouts().OneByteReadMs()));
        return SerialReadResult::TimedOut;
    }
    value = received_.front();
    received_.pop_front();
    return SerialReadResult::Received;
}

} // namespace zav
