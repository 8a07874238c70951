#pragma once

#include <algorithm>
#include <cstdint>
#include <string>

#include "link/serial_port.h"

namespace zav::test {

// A serial port that gives replies longer to arrive than the link asks for. The simulated
// board on the far end of a pseudo-terminal answers from its own thread, and a loaded
// machine (a parallel test run, a sanitizer build) may not schedule that thread within the
// link's read timeout; a reply that comes late is then taken for the answer to the next
// request. A real board answers within a few byte times. A reply that comes in time ends
// the wait at once, so only a slow peer makes the test slower.
class PatientSerialPort final : public SerialPort {
public:
    static constexpr std::uint32_t kMinReadTimeoutMs = 5000;

    explicit PatientSerialPort(SerialPort& port) : port_(port) {}

    [[nodiscard]] bool Open(const std::string& portName) override { return port_.Open(portName); }
    [[nodiscard]] bool IsOpen() const override { return port_.IsOpen(); }
    void Close() override { port_.Close(); }

    [[nodiscard]] bool GetTimeouts(SerialTimeouts& timeouts) override { return port_.GetTimeouts(timeouts); }
    [[nodiscard]] bool SetTimeouts(const SerialTimeouts& timeouts) override
    {
        SerialTimeouts patient = timeouts;
        // Zero means no limit at all: that stays as it is.
        if (patient.readTotalConstant != 0)
            patient.readTotalConstant = std::max(patient.readTotalConstant, kMinReadTimeoutMs);
        return port_.SetTimeouts(patient);
    }
    [[nodiscard]] bool GetLineSettings(SerialLineSettings& settings) override
    {
        return port_.GetLineSettings(settings);
    }
    [[nodiscard]] bool SetLineSettings(const SerialLineSettings& settings) override
    {
        return port_.SetLineSettings(settings);
    }
    [[nodiscard]] bool SetDtr(bool on) override { return port_.SetDtr(on); }
    [[nodiscard]] bool SetRts(bool on) override { return port_.SetRts(on); }
    [[nodiscard]] bool PurgeReceive() override { return port_.PurgeReceive(); }
    [[nodiscard]] bool PurgeTransmit() override { return port_.PurgeTransmit(); }
    [[nodiscard]] bool WriteByte(std::uint8_t value) override { return port_.WriteByte(value); }
    [[nodiscard]] SerialReadResult ReadByte(std::uint8_t& value) override { return port_.ReadByte(value); }
    [[nodiscard]] std::string FailureCause() const override { return port_.FailureCause(); }

private:
    SerialPort& port_;
};

} // namespace zav::test
