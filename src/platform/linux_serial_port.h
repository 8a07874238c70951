#pragma once

#include <memory>
#include <string>

#include "link/ports_map.h"
#include "link/serial_port.h"

namespace zav {

// The serial ports by COM name: COMn is /dev/ttyS(n-1) unless the ports map names another
// device. A device opens through libserialport when it can, otherwise through the plain
// terminal interface (devices without modem lines); calls go to whichever opened it.
class LinuxSerialPort final : public SerialPort {
public:
    explicit LinuxSerialPort(PortsMap map);
    LinuxSerialPort(const LinuxSerialPort&) = delete;
    LinuxSerialPort& operator=(const LinuxSerialPort&) = delete;
    ~LinuxSerialPort() override;

    [[nodiscard]] bool Open(const std::string& portName) override;
    [[nodiscard]] bool IsOpen() const override { return active_ != nullptr; }
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

    // The device file currently open, for messages; empty when closed.
    [[nodiscard]] const std::string& DevicePath() const { return devicePath_; }
    // Which backend took the open device: "libserialport" or "termios"; empty when closed.
    [[nodiscard]] const char* Backend() const { return backend_; }

private:
    // Opens `path` through `backend` and keeps it, or keeps its failure cause.
    bool TryBackend(std::unique_ptr<SerialPort> backend, const std::string& path, const char* name);

    PortsMap map_;
    std::unique_ptr<SerialPort> active_;
    std::string devicePath_;
    const char* backend_ = "";
    std::string failureCause_;
};

} // namespace zav
