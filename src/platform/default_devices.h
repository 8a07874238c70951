#pragma once

#include <string>

#include "link/ports_map.h"

namespace zav {

// The device file behind a port name: the ports map's entry when it has one, otherwise
// /dev/parport(n-1) for LPTn and /dev/ttyS(n-1) for COMn. Empty for other names.
[[nodiscard]] std::string DevicePathFor(const std::string& portName, const PortsMap& map);

} // namespace zav
