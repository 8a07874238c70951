#pragma once

#include <string>
#include <string_view>

#include "devices/device_info.h"
#include "link/port_name.h"

namespace zav {

// The kind of port name the device's board is programmed through.
[[nodiscard]] PortName::Kind PortNameKind(const DeviceInfo& device);

// Why `portName` cannot serve `device`: a serial port named for a parallel-port board, or
// the other way round (the link would talk to the wrong kind of line without end). Empty
// when the name is of the device's kind, or no port name at all (opening it says so).
[[nodiscard]] std::string PortKindRefusal(const DeviceInfo& device, std::string_view portName);

} // namespace zav
