#pragma once

#include <string>
#include <vector>

namespace zav {

// Why a port cannot be used, as far as the system can tell.
enum class PortProblem {
    None,
    // Nothing at the port's device path (no such device or driver loaded).
    NoDevice,
    // The device is there but this user may not open it; `group` names who may.
    NoPermission,
    // The device opens but another driver or program holds it.
    HeldByDriver,
    // The device cannot serve as this kind of port (a USB printer adapter, not a terminal).
    Unsuitable,
    Unknown,
};

// One port name as the Ports Setup dialog shows it.
struct PortStatus {
    // LPT1-LPT3 or COM1-COM8.
    std::string name;
    // The device path behind the name, or "simulator".
    std::string target;
    // Offered in the port's list: a parallel port whose device exists, a serial port that opens.
    bool present = false;
    // Why the port cannot be used now; None when it can.
    PortProblem problem = PortProblem::None;
    // For NoPermission: the group whose members may use the device (empty when unknown).
    std::string group;
    // The system's own words for the problem, for a tooltip or a status line.
    std::string cause;

    bool operator==(const PortStatus&) const = default;
};

// A USB adapter plugged in that a ports map line can name: an FTDI adapter that can stand in
// for a parallel port, or a serial adapter under its stable name.
struct UsbAdapterStatus {
    // True for an FTDI adapter in bit-bang mode (an LPTn target), false for a serial adapter.
    bool bitBang = false;
    // What a ports map line gives as its target: "ftdi:0403:6001:A6008isP",
    // "/dev/serial/by-id/usb-FTDI_FT232R_USB_UART_A6008isP-if00-port0".
    std::string target;
    // The device behind it now: "/dev/bus/usb/001/004", "/dev/ttyUSB0".
    std::string device;
    // Maker, product and USB id, as far as known: "FTDI FT232R USB UART (0403:6001)".
    std::string description;
    // Why it cannot serve (a chip without synchronous bit-bang, no permission); empty when it can.
    std::string problem;

    bool operator==(const UsbAdapterStatus&) const = default;
};

// The ports of this machine, behind an interface so the Ports Setup dialog can be tested
// with any set of ports. Listing opens and releases each port, so call it when the dialog
// opens, not on every paint.
class PortListing {
public:
    virtual ~PortListing() = default;
    // LPT1 to LPT3, in that order.
    [[nodiscard]] virtual std::vector<PortStatus> ParallelPorts() = 0;
    // COM1 to COM8, in that order.
    [[nodiscard]] virtual std::vector<PortStatus> SerialPorts() = 0;
    // The USB adapters plugged in: FTDI adapters first, then serial adapters.
    [[nodiscard]] virtual std::vector<UsbAdapterStatus> UsbAdapters() { return {}; }
};

// The single entry of a port list that found no port.
inline constexpr const char* kNoPortDetected = "NO port detected";

// The names a port field offers: the present ports in order, or the single entry
// kNoPortDetected when there is none.
[[nodiscard]] std::vector<std::string> PresentPortNames(const std::vector<PortStatus>& ports);

} // namespace zav
