#pragma once

#include <cstdint>
#include <deque>
#include <string>

#include "boardsim/simulated_serial_target.h"
#include "link/clock.h"
#include "link/serial_port.h"

namespace zav {

// The simulated PC's serial ports COM1-COM8, with the MC68HC05L28 board on the line.
// Bytes sent at anything but 9600 baud and 8 data bits arrive garbled and are ignored;
// a falling edge on RTS resets the target; a read with nothing to receive waits the
// read timeout on the clock and times out.
class SimulatedSerialBoard final : public SerialPort {
public:
    SimulatedSerialBoard(SimulatedSerialTarget& target, Clock& clock);

    [[nodiscard]] bool Open(const std::string& portName) override;
    [[nodiscard]] bool IsOpen() const override { return open_; }
    void Close() override;
    [[nodiscard]] bool GetTimeouts(SerialTimeouts& timeouts) override;
    [[nodiscard]] bool SetTimeouts(const SerialTimeouts& timeouts) override;
    [[nodiscard]] bool GetLineSettings(SerialLineSettings& settings) override;
    [[nodiscard]] bool SetLineSettings(const SerialLineSettings& settings) override;
    [[nodiscard]] bool SetDtr(bool on) override;
    [[nodiscard]] bool SetRts(bool on) override;
    [[nodiscard]] bool PurgeReceive() override;
    [[nodiscard]] bool PurgeTransmit() override;
    [[nodiscard]] bool WriteByte(std::uint8_t value) override;
    [[nodiscard]] SerialReadResult ReadByte(std::uint8_t& value) override;
    [[nodiscard]] std::string FailureCause() const override { return failureCause_; }

    [[nodiscard]] const std::string& PortName() const { return portName_; }
    [[nodiscard]] const SerialLineSettings& LineSettings() const { return settings_; }
    [[nodiscard]] const SerialTimeouts& Timeouts() const { return timeouts_; }

private:
    void ChangeRts(bool on);

    SimulatedSerialTarget& target_;
    Clock& clock_;
    bool open_ = false;
    std::string portName_;
    std::string failureCause_;
    // What a port looks like before anyone configured it.
    SerialTimeouts timeouts_{};
    SerialLineSettings settings_{19200, 7,     1,    SerialParity::Even, true, true, false, false,
                                 false, false, false};
    std::deque<std::uint8_t> received_;
};

} // namespace zav
