#pragma once

#include <filesystem>
#include <string>
#include <vector>

namespace zav {

// A serial adapter on USB under the stable name udev gives it in /dev/serial/by-id/, which
// stays the same whatever order adapters are plugged in (unlike /dev/ttyUSBn).
struct UsbSerialAdapter {
    // "/dev/serial/by-id/usb-FTDI_FT232R_USB_UART_A6008isP-if00-port0"
    std::string stableName;
    // The device it currently leads to: "/dev/ttyUSB0".
    std::string device;
    // "0403:6001", empty when sysfs does not tell.
    std::string usbId;
    std::string manufacturer;
    std::string product;
};

// The adapters named in `byIdFolder`, in name order; their ids and names come from the USB
// device above each tty in `ttyClass`.
[[nodiscard]] std::vector<UsbSerialAdapter> FindUsbSerialAdapters(
    const std::filesystem::path& byIdFolder = "/dev/serial/by-id",
    const std::filesystem::path& ttyClass = "/sys/class/tty");

} // namespace zav
