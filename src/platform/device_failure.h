#pragma once

#include <string>

namespace zav {

// Why a port's device cannot be used, in words a user can act on: the device missing,
// the permission and the group that grants it, the port held by another driver, or a
// USB printer adapter where a real parallel port is needed. `errorNumber` is the errno
// of the failed call.
[[nodiscard]] std::string DescribeDeviceFailure(const std::string& devicePath, int errorNumber);

// The group owning the device file (its name, or its number when it has none); empty when
// the file cannot be examined. Its members usually may open the device.
[[nodiscard]] std::string GroupOfDevice(const std::string& devicePath);

// True for the kernel's USB printer-class devices (/dev/usb/lpN): they print, but cannot
// drive the port's lines one by one, so no programmer board works behind them.
[[nodiscard]] bool IsUsbPrinterDevice(const std::string& devicePath);

// The first USB printer adapter on this system, or the empty text; named in the cause
// when a parallel port is missing, since such an adapter is the usual reason.
[[nodiscard]] std::string FindUsbPrinterDevice();

} // namespace zav
