#include "link/linux/port_check.h"

#include "link/linux/default_devices.h"
#include "link/linux/linux_serial_port.h"
#include "link/linux/ppdev_parallel_port_io.h"

namespace zav {

PortCheck CheckPort(const std::string& portName, const PortsMap& map)
{
    PortCheck check;
    check.portName = portName;
    if (!PortsMap::IsPortName(portName)) {
        check.cause = "not a port name (LPT1 to LPT3, COM1 to COM8)";
        return check;
    }
    if (map.IsSimulated(portName)) {
        check.target = std::string(PortsMap::kSimulatorTarget);
        check.usable = true;
        return check;
    }
    check.target = DevicePathFor(portName, map);
    if (portName.rfind("LPT", 0) == 0) {
        const int number = portName[3] - '0';
        PpdevParallelPortIo io(map);
        check.usable = io.BaseAddress(number) != 0 && io.Claim(number);
        if (check.usable)
            io.Release(number);
        else
            check.cause = io.FailureCause();
        return check;
    }
    LinuxSerialPort port(map);
    check.usable = port.Open(portName);
    if (check.usable)
        port.Close();
    else
        check.cause = port.FailureCause();
    return check;
}

std::string DescribePortCheck(const PortCheck& check)
{
    std::string line = check.portName;
    if (!check.target.empty()) line += " (" + check.target + ")";
    if (check.usable) return line + ": usable";
    return line + ": not usable: " + (check.cause.empty() ? std::string("unknown cause") : check.cause);
}

} // namespace zav
