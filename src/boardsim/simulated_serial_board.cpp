#include "boardsim/simulated_serial_board.h"

#include "link/ports_map.h"

namespace zav {

SimulatedSerialBoard::SimulatedSerialBoard(SimulatedSerialTarget& target, Clock& clock)
    : target_(target), clock_(clock)
{
}

bool SimulatedSerialBoard::Open(const std::string& portName)
{
    if (!PortsMap::IsPortName(portName) || portName.rfind("COM", 0) != 0) {
        failureCause_ = "the simulated PC has only COM1 to COM8";
        return false;
    }
    if (open_) {
        failureCause_ = portName_ + " is already in use";
        return false;
    }
    failureCause_.clear();
    open_ = true;
    portName_ = portName;
    received_.clear();
    return true;
}

void SimulatedSerialBoard::Close()
{
    open_ = false;
    received_.clear();
}

bool SimulatedSerialBoard::GetTimeouts(SerialTimeouts& timeouts)
{
    if (!open_) return false;
    timeouts = timeouts_;
    return true;
}

bool SimulatedSerialBoard::SetTimeouts(const SerialTimeouts& timeouts)
{
    if (!open_) return false;
    timeouts_ = timeouts;
    return true;
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
    settings_ = settings;
    settings_.rtsOn = rtsWasOn;
    ChangeRts(settings.rtsOn);
    return true;
}

bool SimulatedSerialBoard::SetDtr(bool on)
{
    if (!open_) return false;
    settings_.dtrOn = on;
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
    const bool falling = settings_.rtsOn && !on;
    settings_.rtsOn = on;
    if (falling) target_.Reset();
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
    const bool lineMatchesTarget = settings_.baudRate == 9600 && settings_.dataBits == 8;
    if (!lineMatchesTarget) return true;
    if (const auto reply = target_.Receive(value)) received_.push_back(*reply);
    return true;
}

SerialReadResult SimulatedSerialBoard::ReadByte(std::uint8_t& value)
{
    if (!open_) return SerialReadResult::Failed;
    if (received_.empty()) {
        clock_.SleepMs(static_cast<int>(timeouts_.readTotalConstant + timeouts_.readTotalMultiplier));
        return SerialReadResult::TimedOut;
    }
    value = received_.front();
    received_.pop_front();
    return SerialReadResult::Received;
}

} // namespace zav
