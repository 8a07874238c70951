#include "sequences/port_kind_check.h"

namespace zav {

PortName::Kind PortNameKind(const DeviceInfo& device)
{
    return device.portKind == PortKind::Lpt ? PortName::Kind::Parallel : PortName::Kind::Serial;
}

std::string PortKindRefusal(const DeviceInfo& device, std::string_view portName)
{
    const PortName::Kind kind = PortNameKind(device);
    const PortName::Kind otherKind =
        kind == PortName::Kind::Parallel ? PortName::Kind::Serial : PortName::Kind::Parallel;
    if (!portName.starts_with(PortName::Prefix(otherKind))) return {};
    return std::string(device.name) + " is programmed on a " + std::string(PortName::Prefix(kind)) +
           " port, not " + std::string(portName);
}

} // namespace zav
