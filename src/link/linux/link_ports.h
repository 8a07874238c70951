#pragma once

#include <cstdint>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "boardsim/board_sim_options.h"
#include "boardsim/simulated_board.h"
#include "link/port_access.h"
#include "link/ports_map.h"
#include "link/real_time_clock.h"

namespace zav {

// The ports a ProgrammerLink on one port name talks through, and their owner: either the
// real Linux backends on real time, or a simulated board (on its own clock).
//
//     auto ports = MakeLinkPorts("LPT1", device->boardCode, LoadPortsMap(), std::nullopt);
//     ProgrammerLink link(ports->Access());
//     link.Open("LPT1", settings.lptDelay, stopFlag, device->boardCode);
//
// Keep the LinkPorts alive as long as any link made from its Access(). A second link on
// the same port (an older TMS board answering) uses the same LinkPorts.
struct LinkPorts {
    std::unique_ptr<SimulatedBoard> board;
    std::unique_ptr<ParallelPortIo> parallel;
    std::unique_ptr<SerialPort> serial;
    RealTimeClock realTime;

    [[nodiscard]] PortAccess Access();
    [[nodiscard]] bool Simulated() const { return board != nullptr; }
};

// The ports for `portName`. With `simulate` set, every port is the simulated board with
// those options (its boardCode replaced by `boardCode`); otherwise the ports map decides:
// a port mapped to `simulator` gets a simulated board with default options, any other
// the real device.
[[nodiscard]] std::unique_ptr<LinkPorts> MakeLinkPorts(const std::string& portName, std::uint8_t boardCode,
                                                       const PortsMap& map,
                                                       const std::optional<BoardSimOptions>& simulate);

// The Ports Setup dialog's lists over the same choice of real or simulated ports.
[[nodiscard]] std::vector<std::string> ListParallelPortNames(const PortsMap& map,
                                                             const std::optional<BoardSimOptions>& simulate);
[[nodiscard]] std::vector<std::string> ListSerialPortNames(const PortsMap& map,
                                                           const std::optional<BoardSimOptions>& simulate);

} // namespace zav
