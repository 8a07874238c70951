#include "platform/linux_serial_port.h"

#include "platform/default_devices.h"
#include "platform/lib_serial_port.h"
#include "platform/termios_serial_port.h"
#include "link/port_name.h"

namespace zav {

LinuxSerialPort::LinuxSerialPort(PortsMap map) : map_(std::move(map)) {}

LinuxSerialPort::~LinuxSerialPort()
{
    Close();
}

bool LinuxSerialPort::Open(const std::string& portName)
{
    Close();
    failureCause_.clear();
    if (!PortName::IsOfKind(portName, PortName::Kind::Serial)) {
        failureCause_ = portName + " is not a serial port name";
        return false;
    }
    const std::string path = DevicePathFor(portName, map_);
    // Tried last, the terminal interface leaves its cause, the more precise one (permission,
    // in use, ...).
    return TryBackend(std::make_unique<LibSerialPort>(), path, "libserialport") ||
           TryBackend(std::make_unique<TermiosSerialPort>(), path, "termios");
}

bool LinuxSerialPort::TryBackend(std::unique_ptr<SerialPort> backend, const std::string& path, const char* name)
{
    if (!backend->Open(path)) {
        failureCause_ = backend->FailureCause();
        return false;
    }
    active_ = std::move(backend);
    devicePath_ = path;
    backend_ = name;
    failureCause_.clear();
    return true;
}

void LinuxSerialPort::Close()
{
    if (active_) active_->Close();
    active_.reset();
    devicePath_.clear();
    backend_ = "";
}

} // namespace zav
