#include "platform/port_check.h"

#include "link/ftdi_target.h"
#include "platform/default_devices.h"
#include "platform/ftdi_parallel_port_io.h"
#include "platform/lib_ftdi_usb.h"
#include "platform/linux_serial_port.h"
#include "platform/ppdev_parallel_port_io.h"
#include "link/port_name.h"

namespace zav {

namespace {

std::string DescribeAdapter(const FtdiAdapterInfo& adapter)
{
    std::string text = "the " + std::string(FtdiChipName(adapter.chip)) + " adapter " + UsbIdText(adapter.vendor) +
                       ":" + UsbIdText(adapter.product);
    std::string details = adapter.serial.empty() ? std::string() : "serial " + adapter.serial;
    if (!adapter.description.empty()) details += (details.empty() ? "" : ", ") + adapter.description;
    if (!details.empty()) text += " (" + details + ")";
    return text;
}

void CheckFtdiPort(PortCheck& check, const PortsMap& map, FtdiUsb& usb, int number)
{
    FtdiParallelPortIo io(map, usb);
    const std::optional<FtdiAdapterInfo> adapter = io.FindAdapter(number);
    if (!adapter) {
        check.cause = io.FailureCause();
        return;
    }
    check.adapter = DescribeAdapter(*adapter);
    check.usable = io.Claim(number);
    if (!check.usable) {
        check.cause = io.FailureCause();
        return;
    }
    check.clockReadyReadable = io.ReadsControlLines(number);
    io.Release(number);
}

} // namespace

PortCheck CheckPort(const std::string& portName, const PortsMap& map)
{
    LibFtdiUsb usb;
    return CheckPort(portName, map, usb);
}

PortCheck CheckPort(const std::string& portName, const PortsMap& map, FtdiUsb& usb)
{
    PortCheck check;
    check.portName = portName;
    const std::optional<PortName> name = PortName::Parse(portName);
    if (!name) {
        check.cause = "not a port name (" + PortName::EveryRangeText() + ")";
        return check;
    }
    const bool parallel = name->IsParallel();
    if (map.IsSimulated(portName)) {
        check.target = std::string(PortsMap::kSimulatorTarget);
        check.usable = true;
        if (parallel) check.clockReadyReadable = true;
        return check;
    }
    check.target = DevicePathFor(portName, map);
    if (parallel && FtdiTarget::IsFtdiTarget(check.target)) {
        CheckFtdiPort(check, map, usb, name->Number());
        return check;
    }
    if (parallel) {
        const int number = name->Number();
        PpdevParallelPortIo io(map);
        check.usable = io.BaseAddress(number) != 0 && io.Claim(number);
        if (!check.usable) {
            check.cause = io.FailureCause();
            return check;
        }
        check.clockReadyReadable = io.ReadsControlLines(number);
        if (!*check.clockReadyReadable) check.clockReadyFix = io.FailureCause();
        io.Release(number);
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
    if (check.usable) {
        line += ": usable";
        if (!check.adapter.empty()) line += ": " + check.adapter + " found and claimed";
        if (check.clockReadyReadable) {
            line += *check.clockReadyReadable ? "; clock-line ready can be read"
                                              : "; clock-line ready cannot be read: " + check.clockReadyFix;
        }
        return line;
    }
    return line + ": not usable: " + (check.cause.empty() ? std::string("unknown cause") : check.cause);
}

} // namespace zav
