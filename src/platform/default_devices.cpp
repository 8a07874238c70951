#include "platform/default_devices.h"

#include "link/port_name.h"

namespace zav {

std::string DevicePathFor(const std::string& portName, const PortsMap& map)
{
    const std::optional<PortName> name = PortName::Parse(portName);
    if (!name) return {};
    if (auto target = map.TargetOf(portName)) return *target;
    const std::string index = std::to_string(name->Number() - 1);
    if (name->IsParallel()) return "/dev/parport" + index;
    return "/dev/ttyS" + index;
}

} // namespace zav
