#pragma once

#include <optional>
#include <vector>

#include "boardsim/board_sim_options.h"
#include "link/port_listing.h"
#include "link/port_name.h"
#include "link/ports_map.h"

namespace zav {

// This machine's ports behind the names, as the ports map says: a name mapped to the
// simulator (or every name, with `simulate` set) is always present; an LPTn on an FTDI
// adapter when the adapter is plugged in; any other is tried on its device the way a link
// would open it, and diagnosed when that fails.
class SystemPortListing final : public PortListing {
public:
    explicit SystemPortListing(PortsMap map, std::optional<BoardSimOptions> simulate = std::nullopt);

    [[nodiscard]] std::vector<PortStatus> ParallelPorts() override;
    [[nodiscard]] std::vector<PortStatus> SerialPorts() override;
    [[nodiscard]] std::vector<UsbAdapterStatus> UsbAdapters() override;

private:
    [[nodiscard]] PortStatus StatusOf(const PortName& portName) const;
    [[nodiscard]] PortStatus FtdiStatusOf(const std::string& name) const;

    PortsMap map_;
    bool simulateAll_ = false;
};

} // namespace zav
