#include "link/port_listing.h"

namespace zav {

std::vector<std::string> PresentPortNames(const std::vector<PortStatus>& ports)
{
    std::vector<std::string> names;
    for (const PortStatus& port : ports) {
        if (port.present) names.push_back(port.name);
    }
    if (names.empty()) names.emplace_back(kNoPortDetected);
    return names;
}

} // namespace zav
