#pragma once

#include <string>

#include "link/serial_port.h"

struct sp_port;

namespace zav {

// A serial device through libserialport. Open takes the device path (/dev/ttyS0); the
// device is locked against every other user while open. libserialport refuses devices
// without modem-control lines (pseudo-terminals, some USB adapters); LinuxSerialPort then
// falls back to TermiosSerialPort.
class LibSerialPort final : public SerialPort {
public:
    LibSerialPort() = default;
    LibSerialPort(const LibSerialPort&) = delete;
    LibSerialPort& operator=(const LibSerialPort&) = delete;
    ~LibSerialPort() override;

    [[nodiscard]] bool Open(const std::string& devicePath) override;
    [[nodiscard]] bool IsOpen() const override { return port_ != nullptr; }
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

private:
    sp_port* port_ = nullptr;
    SerialTimeouts timeouts_{};
    std::string failureCause_;
};

} // namespace zav
