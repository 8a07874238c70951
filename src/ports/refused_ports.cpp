#include "ports/refused_ports.h"

#include <utility>

namespace zav {

RefusedPorts::RefusedPorts(std::string cause) : cause_(std::move(cause)) {}

PortAccess RefusedPorts::Access()
{
    // No clock: nothing here waits.
    return PortAccess{this, this, nullptr};
}

} // namespace zav
