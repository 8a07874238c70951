#pragma once

#include <string>

#include "link/port_listing.h"

namespace zav {

struct DeviceProblem {
    PortProblem problem = PortProblem::None;
    // For PortProblem::NoPermission: the group whose members may open the device.
    std::string group;
};

// Why the device behind a port that failed to open or claim cannot be used: missing,
// forbidden to this user, unsuitable (a USB printer adapter; a file that is no terminal
// when `wantsTerminal`), or, when it opens for this probe, held by another driver or program.
[[nodiscard]] DeviceProblem ProbeDeviceProblem(const std::string& devicePath, bool wantsTerminal);

} // namespace zav
