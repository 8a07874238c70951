#pragma once

#include <cstdint>

#include "link/serial_port.h"

namespace zav {

// A serial port that hands every line operation to the port it currently stands for (the
// backend that opened the device, say). Without one, each call fails as on a closed port.
// What it stands for is the derived class's choice: it opens, closes and names the cause.
class ForwardingSerialPort : public SerialPort {
public:
    [[nodiscard]] bool GetTimeouts(SerialTimeouts& timeouts) override
    {
        return Forwardee() != nullptr && Forwardee()->GetTimeouts(timeouts);
    }
    [[nodiscard]] bool SetTimeouts(const SerialTimeouts& timeouts) override
    {
        return Forwardee() != nullptr && Forwardee()->SetTimeouts(timeouts);
    }
    [[nodiscard]] bool GetLineSettings(SerialLineSettings& settings) override
    {
        return Forwardee() != nullptr && Forwardee()->GetLineSettings(settings);
    }
    [[nodiscard]] bool SetLineSettings(const SerialLineSettings& settings) override
    {
        return Forwardee() != nullptr && Forwardee()->SetLineSettings(settings);
    }
    [[nodiscard]] bool SetDtr(bool on) override { return Forwardee() != nullptr && Forwardee()->SetDtr(on); }
    [[nodiscard]] bool SetRts(bool on) override { return Forwardee() != nullptr && Forwardee()->SetRts(on); }
    [[nodiscard]] bool PurgeReceive() override
    {
        return Forwardee() != nullptr && Forwardee()->PurgeReceive();
    }
    [[nodiscard]] bool PurgeTransmit() override
    {
        return Forwardee() != nullptr && Forwardee()->PurgeTransmit();
    }
    [[nodiscard]] bool WriteByte(std::uint8_t value) override
    {
        return Forwardee() != nullptr && Forwardee()->WriteByte(value);
    }
    [[nodiscard]] SerialReadResult ReadByte(std::uint8_t& value) override
    {
        return Forwardee() != nullptr ? Forwardee()->ReadByte(value) : SerialReadResult::Failed;
    }

protected:
    // The port the calls go to; null while there is none.
    [[nodiscard]] virtual SerialPort* Forwardee() const = 0;
};

} // namespace zav
