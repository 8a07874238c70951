#include "devices/port_kind_check.h"

namespace zav {

std::string PortKindRefusal(const DeviceInfo& device, std::string_view portName)
{
    const std::string_view kind = device.portKind == PortKind::Lpt ? "LPT" : "COM";
    const std::string_view otherKind = device.portKind == PortKind::Lpt ? "COM" : "LPT";
    if (!portName.starts_with(otherKind)) return {};
    return std::string(device.name) + " is programmed on a " + std::string(kind) + " port, not " +
           std::string(portName);
}

} // namespace zav
