#pragma once

#include <string>
#include <termios.h>

#include "link/serial_port_base.h"

namespace zav {

// A serial device through the plain terminal interface, for the devices libserialport
// refuses because they have no modem-control lines (pseudo-terminals, some USB
// adapters). Open takes the device path; the device is locked against every other user
// while open, and gets back the terminal settings it had when it is closed. DTR and RTS
// changes are tried and a refusal ignored.
class TermiosSerialPort final : public SerialPortBase {
public:
    ~TermiosSerialPort() override;

    [[nodiscard]] bool Open(const std::string& devicePath) override;
    [[nodiscard]] bool IsOpen() const override { return fd_ >= 0; }
    void Close() override;
    [[nodiscard]] bool GetLineSettings(SerialLineSettings& settings) override;
    [[nodiscard]] bool SetLineSettings(const SerialLineSettings& settings) override;
    [[nodiscard]] bool SetDtr(bool on) override;
    [[nodiscard]] bool SetRts(bool on) override;
    [[nodiscard]] bool PurgeReceive() override;
    [[nodiscard]] bool PurgeTransmit() override;
    [[nodiscard]] bool WriteByte(std::uint8_t value) override;
    [[nodiscard]] SerialReadResult ReadByte(std::uint8_t& value) override;

private:
    bool SetModemLine(int line, bool on);

    int fd_ = -1;
    termios original_{};
};

} // namespace zav
