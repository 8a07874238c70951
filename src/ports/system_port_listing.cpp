#include "ports/system_port_listing.h"

#include <utility>

#include "link/linux/device_probe.h"
#include "link/linux/port_check.h"
#include "link/linux/ppdev_parallel_port_io.h"

namespace zav {

namespace {

constexpr int kParallelPortCount = 3;
constexpr int kSerialPortCount = 8;

} // namespace

SystemPortListing::SystemPortListing(PortsMap map, std::optional<BoardSimOptions> simulate)
    : map_(std::move(map)), simulateAll_(simulate.has_value())
{
}

std::vector<PortStatus> SystemPortListing::ParallelPorts()
{
    std::vector<PortStatus> ports;
    for (int n = 1; n <= kParallelPortCount; ++n) ports.push_back(StatusOf("LPT" + std::to_string(n), true));
    return ports;
}

std::vector<PortStatus> SystemPortListing::SerialPorts()
{
    std::vector<PortStatus> ports;
    for (int n = 1; n <= kSerialPortCount; ++n) ports.push_back(StatusOf("COM" + std::to_string(n), false));
    return ports;
}

PortStatus SystemPortListing::StatusOf(const std::string& name, bool parallel) const
{
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
    const PortCheck check = CheckPort(name, map_);
    status.target = check.target;
    // A parallel port is listed when its device exists (the old port list's rule: claiming
    // it is the link's business); a serial port only when it opens.
    status.present = parallel ? PpdevParallelPortIo(map_).BaseAddress(name[3] - '0') != 0 : check.usable;
    if (check.usable) return status;
    const DeviceProblem problem = ProbeDeviceProblem(check.target, !parallel);
    status.problem = problem.problem;
    status.group = problem.group;
    status.cause = check.cause;
    return status;
}

} // namespace zav
