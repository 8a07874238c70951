#pragma once

#include <optional>
#include <string>

#include "link/ftdi_usb.h"
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
    // Usable parallel ports: whether a board that signals ready on the clock line (codes 0
    // and 3 without the status-line ready) can be paced here, and if not what would fix it.
    std::optional<bool> clockReadyReadable;
    std::string clockReadyFix;
    // A port on a USB FTDI adapter: the adapter found for it, empty when none was.
    std::string adapter;
};

// Opens and releases the port the way a link would (claim for LPTn, an exclusive open
// for COMn), without changing any line or setting. An LPTn on an FTDI adapter is looked
// for on `usb` (libftdi's view of the bus when not given) and claimed there.
[[nodiscard]] PortCheck CheckPort(const std::string& portName, const PortsMap& map);
[[nodiscard]] PortCheck CheckPort(const std::string& portName, const PortsMap& map, FtdiUsb& usb);

// One line: "COM1 (/dev/ttyS0): usable", "COM2 (/dev/ttyS1): not usable: <cause>",
// "LPT1 (ftdi:0403:6001): usable: <adapter> found and claimed";
// a usable LPT port adds "; clock-line ready can be read" or "; clock-line ready cannot be
// read: <fix>".
[[nodiscard]] std::string DescribePortCheck(const PortCheck& check);

} // namespace zav
