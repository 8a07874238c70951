#include "cli/commands.h"

#include <filesystem>
#include <string>
#include <vector>

#include "buffer/numeric_helpers.h"
#include "cli/command_line.h"
#include "devices/device_catalogue.h"
#include "link/ftdi_target.h"
#include "platform/port_check.h"
#include "platform/settings_directory.h"
#include "link/port_name.h"
#include "messages/printable_text.h"
#include "ports/system_port_listing.h"
#include "sequences/port_kind_check.h"

namespace zav {

namespace {

// What makes a port whose device does not exist usable: the drivers that create
// /dev/parportN, or a ports map line for the device an adapter has.
std::string MissingDeviceFix(const PortCheck& check, const std::filesystem::path& mapFile)
{
    std::error_code ignored;
    if (check.usable || check.target.empty()) return {};
    if (FtdiTarget::IsFtdiTarget(check.target)) {
        if (!check.adapter.empty()) return {};
        return "plug the adapter in, or correct the line in " + mapFile.string() +
               " after the FTDI adapters listed above";
    }
    if (std::filesystem::exists(check.target, ignored)) return {};
    const std::string name = check.portName;
    if (PortName::IsOfKind(name, PortName::Kind::Parallel)) {
        return "load the parallel port drivers (sudo modprobe parport_pc ppdev); a port that has another "
               "device (a card's /dev/parport1) is mapped in " +
               mapFile.string() + " with a line " + name + "=/dev/parport1";
    }
    return "a USB serial adapter is mapped in " + mapFile.string() + " with a line " + name +
           "=/dev/serial/by-id/..., its name listed above, which stays the same however the adapters are plugged "
           "in (unlike /dev/ttyUSBn)";
}

// The adapters plugged in, each with the ports map target that names it.
void ListUsbAdapters(const std::vector<UsbAdapterStatus>& adapters, ToolIo& io)
{
    for (const bool bitBang : {true, false}) {
        io.out << (bitBang ? "FTDI adapters (LPTn=TARGET):\n" : "USB serial adapters (COMn=TARGET):\n");
        bool any = false;
        for (const UsbAdapterStatus& adapter : adapters) {
            if (adapter.bitBang != bitBang) continue;
            any = true;
            io.out << "  " << adapter.target << "  " << adapter.description << ", " << adapter.device << '\n';
            if (!adapter.problem.empty()) io.out << "    not usable: " << adapter.problem << '\n';
        }
        if (!any) io.out << "  (none)\n";
    }
}

} // namespace

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
               << PortName::Prefix(PortNameKind(device)) << '\t' << ranges << '\n';
    }
    return kExitDone;
}

int RunPorts(const CommandLine& command, ToolIo& io)
{
    const std::filesystem::path mapFile = SettingsDirectory() / "ports";
    const PortsMap map = LoadPortsMap(mapFile);
    // Listing tries each port's device: not while the map that says which device that is
    // cannot be read.
    if (!map.FileError().empty()) {
        io.err << "zavtool: ports: " << map.FileError() << '\n';
        return kExitUsage;
    }
    SystemPortListing listing(map, std::nullopt);
    const auto list = [&](const char* title, const std::vector<std::string>& names) {
        io.out << title << '\n';
        for (const std::string& name : names) io.out << "  " << name << '\n';
        if (names.empty()) io.out << "  (none)\n";
    };
    list("Parallel ports:", PresentPortNames(listing.ParallelPorts()));
    list("Serial ports:", PresentPortNames(listing.SerialPorts()));
    ListUsbAdapters(listing.UsbAdapters(), io);
    if (!command.check) return kExitDone;

    io.out << "\nEach port:\n";
    const auto checkPort = [&](const std::string& name) {
        const PortCheck check = CheckPort(name, map);
        io.out << "  " << DescribePortCheck(check) << '\n';
        const std::string fix = MissingDeviceFix(check, mapFile);
        if (!fix.empty()) io.out << "    fix: " << fix << '\n';
    };
    for (const PortName::Kind kind : {PortName::Kind::Parallel, PortName::Kind::Serial}) {
        for (const PortName& name : PortName::All(kind)) checkPort(name.Text());
    }

    const std::string mapName = PrintableText(mapFile.string());
    io.out << "\nPorts map " << mapName << ":\n";
    std::error_code ignored;
    if (!std::filesystem::exists(mapFile, ignored))
        io.out << "  (no such file: every port on its default device)\n";
    const std::vector<std::string> lineWarnings = PortsMapLineWarnings(map, mapFile);
    // Each warning without the file's name, which heads the section.
    for (const std::string& warning : lineWarnings)
        io.out << "  " << warning.substr(mapName.size() + 2) << '\n';
    if (std::filesystem::exists(mapFile, ignored) && lineWarnings.empty()) io.out << "  every line read\n";
    return kExitDone;
}

} // namespace zav
