#include "link/linux/default_devices.h"

namespace zav {

std::string DevicePathFor(const std::string& portName, const PortsMap& map)
{
    if (!PortsMap::IsPortName(portName)) return {};
    if (auto target = map.TargetOf(portName)) return *target;
    const std::string index = std::to_string(portName[3] - '1');
    if (portName.rfind("LPT", 0) == 0) return "/dev/parport" + index;
    return "/dev/ttyS" + index;
}

} // namespace zav
