#include "ports/system_port_listing.h"

#include <utility>

#include "link/ftdi_target.h"
#include "platform/default_devices.h"
#include "platform/device_probe.h"
#include "platform/ftdi_parallel_port_io.h"
#include "platform/lib_ftdi_usb.h"
#include "platform/port_check.h"
#include "platform/ppdev_parallel_port_io.h"
#include "platform/usb_serial_adapters.h"

namespace zav {

SystemPortListing::SystemPortListing(PortsMap map, std::optional<BoardSimOptions> simulate)
    : map_(std::move(map)), simulateAll_(simulate.has_value())
{
}

std::vector<PortStatus> SystemPortListing::ParallelPorts()
{
    std::vector<PortStatus> ports;
    for (const PortName& name : PortName::All(PortName::Kind::Parallel)) ports.push_back(StatusOf(name));
    return ports;
}

std::vector<PortStatus> SystemPortListing::SerialPorts()
{
    std::vector<PortStatus> ports;
    for (const PortName& name : PortName::All(PortName::Kind::Serial)) ports.push_back(StatusOf(name));
    return ports;
}

PortStatus SystemPortListing::StatusOf(const PortName& portName) const
{
    const std::string name = portName.Text();
    const bool parallel = portName.IsParallel();
    PortStatus status;
    status.name = name;
    // No device is tried while the map that says which device it is cannot be read.
    if (!map_.FileError().empty()) {
        status.problem = PortProblem::Unknown;
        status.cause = map_.FileError();
        return status;
    }
    if (simulateAll_ || map_.IsSimulated(name)) {
        status.target = std::string(PortsMap::kSimulatorTarget);
        status.present = true;
        return status;
    }
    if (parallel && FtdiTarget::IsFtdiTarget(DevicePathFor(name, map_))) return FtdiStatusOf(name);
    const PortCheck check = CheckPort(name, map_);
    status.target = check.target;
    // A parallel port is listed when its device exists (the old port list's rule: claiming
    // it is the link's business); a serial port only when it opens.
    status.present = parallel ? PpdevParallelPortIo(map_).BaseAddress(portName.Number()) != 0 : check.usable;
    if (check.usable) return status;
    const DeviceProblem problem = ProbeDeviceProblem(check.target, !parallel);
    status.problem = problem.problem;
    status.group = problem.group;
    status.cause = check.cause;
    return status;
}

PortStatus SystemPortListing::FtdiStatusOf(const std::string& name) const
{
    PortStatus status;
    status.name = name;
    LibFtdiUsb usb;
    const PortCheck check = CheckPort(name, map_, usb);
    status.target = check.target;
    // Listed when its adapter is plugged in, as a parallel port is when its device exists.
    status.present = !check.adapter.empty();
    if (check.usable) return status;
    status.cause = check.cause;
    if (check.adapter.empty()) {
        // Shown with its cause ("no FTDI adapter 0403:6001 is plugged in"), which says more
        // than "no device".
        status.problem = PortProblem::Unknown;
    } else if (check.cause.find("no permission") != std::string::npos) {
        status.problem = PortProblem::NoPermission;
        status.group = "plugdev";
    } else {
        status.problem = PortProblem::Unsuitable;
    }
    return status;
}

std::vector<UsbAdapterStatus> SystemPortListing::UsbAdapters()
{
    std::vector<UsbAdapterStatus> adapters;
    LibFtdiUsb usb;
    std::vector<FtdiAdapterInfo> found;
    if (usb.Find(0, 0, found)) {
        for (const FtdiAdapterInfo& adapter : found) {
            UsbAdapterStatus status;
            status.bitBang = true;
            const std::string ids = UsbIdText(adapter.vendor) + ":" + UsbIdText(adapter.product);
            status.target = std::string(FtdiTarget::kPrefix) + ids + (adapter.serial.empty() ? "" : ":" + adapter.serial);
            status.device = adapter.devicePath;
            status.description = adapter.manufacturer + " " + adapter.description + " (" + ids + ", " +
                                 std::string(FtdiChipName(adapter.chip)) + ")";
            status.problem = FtdiChipRefusal(adapter.chip);
            if (status.problem.empty() && !adapter.accessible)
                status.problem = "no permission: install the udev rule 60-zav-usb-adapters.rules";
            adapters.push_back(std::move(status));
        }
    }
    for (const UsbSerialAdapter& serial : FindUsbSerialAdapters()) {
        UsbAdapterStatus status;
        status.target = serial.stableName;
        status.device = serial.device;
        status.description = serial.manufacturer + " " + serial.product;
        if (!serial.usbId.empty()) status.description += " (" + serial.usbId + ")";
        adapters.push_back(std::move(status));
    }
    return adapters;
}

} // namespace zav
