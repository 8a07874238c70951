#pragma once

#include <string>
#include <termios.h>

#include "link/serial_port_base.h"

struct sp_port;

namespace zav {

// A serial device through libserialport. Open takes the device path (/dev/ttyS0); the
// device is locked against every other user while open. libserialport refuses devices
// without modem-control lines (pseudo-terminals, some USB adapters); LinuxSerialPort then
// falls back to TermiosSerialPort. The line gets back at close the whole terminal state it
// had before the library first touched it.
class LibSerialPort final : public SerialPortBase {
public:
    ~LibSerialPort() override;

    [[nodiscard]] bool Open(const std::string& devicePath) override;
    [[nodiscard]] bool IsOpen() const override { return port_ != nullptr; }
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
    void CloseKeeper();

    sp_port* port_ = nullptr;
    // Opened before the library so the terminal state can be read as found (the library
    // changes it on opening), and held until the state is back so that the library's close
    // is not the line's last and drops nothing.
    int keeperFd_ = -1;
    termios original_{};
};

} // namespace zav
