#pragma once

#include <string>

#include "link/ports_map.h"

namespace zav {

// Whether a port name can be used right now, and if not why: what the command-line
// tool's --check prints, and the warning beside a failed open.
struct PortCheck {
    std::string portName;
    // The device path, or "simulator".
    std::string target;
    bool usable = false;
    // Empty when usable.
    std::string cause;
};

// Opens and releases the port the way a link would (claim for LPTn, an exclusive open
// for COMn), without changing any line or setting.
[[nodiscard]] PortCheck CheckPort(const std::string& portName, const PortsMap& map);

// One line: "LPT1 (/dev/parport0): usable" or "COM2 (/dev/ttyS1): not usable: <cause>".
[[nodiscard]] std::string DescribePortCheck(const PortCheck& check);

} // namespace zav
