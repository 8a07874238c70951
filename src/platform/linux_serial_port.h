#pragma once

#include <memory>
#include <string>

#include "link/forwarding_serial_port.h"
#include "link/ports_map.h"

namespace zav {

// The serial ports by COM name: COMn is /dev/ttyS(n-1) unless the ports map names another
// device. A device opens through libserialport when it can, otherwise through the plain
// terminal interface (devices without modem lines); calls go to whichever opened it.
class LinuxSerialPort final : public ForwardingSerialPort {
public:
    explicit LinuxSerialPort(PortsMap map);
    LinuxSerialPort(const LinuxSerialPort&) = delete;
    LinuxSerialPort& operator=(const LinuxSerialPort&) = delete;
    ~LinuxSerialPort() override;

    [[nodiscard]] bool Open(const std::string& portName) override;
    [[nodiscard]] bool IsOpen() const override { return active_ != nullptr; }
    void Close() override;
    [[nodiscard]] std::string FailureCause() const override { return failureCause_; }

    // The device file currently open, for messages; empty when closed.
    [[nodiscard]] const std::string& DevicePath() const { return devicePath_; }
    // Which backend took the open device: "libserialport" or "termios"; empty when closed.
    [[nodiscard]] const char* Backend() const { return backend_; }

private:
    [[nodiscard]] SerialPort* Forwardee() const override { return active_.get(); }
    // Opens `path` through `backend` and keeps it, or keeps its failure cause.
    bool TryBackend(std::unique_ptr<SerialPort> backend, const std::string& path, const char* name);

    PortsMap map_;
    std::unique_ptr<SerialPort> active_;
    std::string devicePath_;
    const char* backend_ = "";
    std::string failureCause_;
};

} // namespace zav
