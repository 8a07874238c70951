#include "link/linux/link_ports.h"

#include "link/linux/linux_serial_port.h"
#include "link/linux/ppdev_parallel_port_io.h"
#include "link/programmer_link.h"

namespace zav {

PortAccess LinkPorts::Access()
{
    if (board) return board->Access();
    return PortAccess{parallel.get(), serial.get(), &realTime};
}

std::unique_ptr<LinkPorts> MakeLinkPorts(const std::string& portName, std::uint8_t boardCode,
                                         const PortsMap& map, const std::optional<BoardSimOptions>& simulate)
{
    auto ports = std::make_unique<LinkPorts>();
    if (simulate || map.IsSimulated(portName)) {
        BoardSimOptions options = simulate.value_or(BoardSimOptions{});
        options.boardCode = boardCode;
        ports->board = std::make_unique<SimulatedBoard>(options);
        return ports;
    }
    ports->parallel = std::make_unique<PpdevParallelPortIo>(map);
    ports->serial = std::make_unique<LinuxSerialPort>(map);
    return ports;
}

std::vector<std::string> ListParallelPortNames(const PortsMap& map,
                                               const std::optional<BoardSimOptions>& simulate)
{
    std::vector<std::string> names;
    for (int n = 1; n <= 3; ++n) {
        const std::string name = "LPT" + std::to_string(n);
        const auto ports = MakeLinkPorts(name, 0, map, simulate);
        if (ports->Access().parallel->BaseAddress(n) != 0) names.push_back(name);
    }
    if (names.empty()) names.emplace_back(ProgrammerLink::kNoPortDetected);
    return names;
}

std::vector<std::string> ListSerialPortNames(const PortsMap& map,
                                             const std::optional<BoardSimOptions>& simulate)
{
    std::vector<std::string> names;
    for (int n = 1; n <= 8; ++n) {
        const std::string name = "COM" + std::to_string(n);
        const auto ports = MakeLinkPorts(name, 1, map, simulate);
        SerialPort& port = *ports->Access().serial;
        if (port.Open(name)) {
            port.Close();
            names.push_back(name);
        }
    }
    if (names.empty()) names.emplace_back(ProgrammerLink::kNoPortDetected);
    return names;
}

} // namespace zav
