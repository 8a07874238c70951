#include "cli/commands.h"

#include <string>

#include "buffer/numeric_helpers.h"
#include "cli/command_line.h"
#include "devices/device_catalogue.h"
#include "link/linux/port_check.h"
#include "link/linux/settings_directory.h"
#include "ports/system_port_listing.h"

namespace zav {

int RunDevices(const CommandLine&, ToolIo& io)
{
    const auto boards = DeviceCatalogue::HardwareBoardNames();
    for (const DeviceInfo& device : DeviceCatalogue::Devices()) {
        std::string ranges;
        for (const AddressRange& range : device.implementedRanges) {
            if (!ranges.empty()) ranges += ',';
            ranges += AddressText(range.first) + '-' + AddressText(range.last);
        }
        io.out << device.name << '\t' << boards[static_cast<std::size_t>(device.hardwareBoard)] << '\t'
               << (device.portKind == PortKind::Lpt ? "LPT" : "COM") << '\t' << ranges << '\n';
    }
    return kExitDone;
}

int RunPorts(const CommandLine& command, ToolIo& io)
{
    const PortsMap map = LoadPortsMap();
    SystemPortListing listing(map, std::nullopt);
    for (const std::string& name : PresentPortNames(listing.ParallelPorts())) io.out << name << '\n';
    for (const std::string& name : PresentPortNames(listing.SerialPorts())) io.out << name << '\n';
    if (!command.check) return kExitDone;

    io.out << '\n';
    const auto checkPort = [&](const std::string& name) {
        io.out << DescribePortCheck(CheckPort(name, map)) << '\n';
    };
    for (int n = 1; n <= 3; ++n) checkPort("LPT" + std::to_string(n));
    for (int n = 1; n <= 8; ++n) checkPort("COM" + std::to_string(n));
    return kExitDone;
}

} // namespace zav
