#pragma once

#include <cstdint>
#include <map>
#include <memory>
#include <mutex>
#include <optional>
#include <string>

#include "boardsim/board_sim_options.h"
#include "link/ports_map.h"
#include "sequences/link_factory.h"

namespace zav {

class SimulatedBoard;

// The links of the program, as the ports map says: LPTn to ppdev, COMn to the serial
// backends, and a name mapped to `simulator` to a simulated board. With `simulate` set,
// every name leads to a simulated board with those options (the command line's --simulate).
//
//     PortsMapLinkFactory links(LoadPortsMap(), std::nullopt);
//     ReadSequenceControl control(host, queue, links);
//
// While the map has a FileError every name gets ports that refuse to open with it as the
// cause, also under `simulate`.
//
// A simulated board stays attached to its port name like hardware on a cable, so its memory
// lasts from one sequence to the next; it is replaced when a device of another board code
// is worked on. Real ports are opened for each sequence and closed after it. PortsFor may
// be called from any thread.
class PortsMapLinkFactory final : public LinkFactory {
public:
    explicit PortsMapLinkFactory(PortsMap map, std::optional<BoardSimOptions> simulate = std::nullopt);
    ~PortsMapLinkFactory() override;
    PortsMapLinkFactory(const PortsMapLinkFactory&) = delete;
    PortsMapLinkFactory& operator=(const PortsMapLinkFactory&) = delete;

    [[nodiscard]] std::unique_ptr<LinkEndpoint> PortsFor(const std::string& portName,
                                                         std::uint8_t boardCode) override;

    [[nodiscard]] bool Simulates(const std::string& portName) const;
    // The simulated board on portName for a device of boardCode, attached now if need be;
    // null when the port is a real one. Not while a sequence runs on that port.
    [[nodiscard]] SimulatedBoard* SimulatedBoardOn(const std::string& portName, std::uint8_t boardCode);

private:
    SimulatedBoard& AttachedBoard(const std::string& portName, std::uint8_t boardCode);

    const PortsMap map_;
    const std::optional<BoardSimOptions> simulate_;
    std::mutex mutex_;
    std::map<std::string, std::unique_ptr<SimulatedBoard>> boards_;
};

} // namespace zav
