#pragma once

#include <string>
#include <vector>

#include "link/delay_count.h"
#include "link/port_listing.h"

namespace zav {

class MainWindowFlow;

// One of the dialog's two port lists: the names offered, the one selected, and a line saying
// why the other ports of that kind are not offered (empty when all are).
struct PortChoice {
    std::vector<std::string> names;
    int selected = 0;
    std::string whyMissing;

    bool operator==(const PortChoice&) const = default;
};

// The Ports Setup dialog without the dialog: the parallel and serial ports present now,
// each list preselecting the current setting, the delay slider, and what OK stores.
class PortsSetupModel {
public:
    static constexpr int kMinDelay = kMinDelayCount;
    static constexpr int kMaxDelay = kMaxDelayCount;
    static constexpr int kDelayTickInterval = 5;

    // On show: lists the ports with the port marked busy meanwhile, so no sequence can
    // start while they are probed, and takes the current settings.
    void Show(PortListing& listing, MainWindowFlow& flow);

    [[nodiscard]] const PortChoice& Parallel() const { return parallel_; }
    [[nodiscard]] const PortChoice& Serial() const { return serial_; }
    // The USB adapters plugged in, one line each with the ports map target that names it;
    // empty when there is none.
    [[nodiscard]] const std::vector<std::string>& UsbAdapters() const { return usbAdapters_; }
    [[nodiscard]] int Delay() const { return delay_; }
    // Program Options: whether a program sequence backs the part up before writing.
    [[nodiscard]] bool Backup() const { return backup_; }

    // OK: the selected names and the slider's delay become the settings.
    void Accept(int parallelIndex, int serialIndex, int delay, MainWindowFlow& flow) const;
    void AcceptBackup(bool backup, MainWindowFlow& flow) const;

    // The why-missing line for one list.
    [[nodiscard]] static std::string WhyMissing(const std::vector<PortStatus>& ports);
    // "LPTn=ftdi:0403:6001:A1  FTDI FT232R USB UART (0403:6001, FT232R)", with ": not usable: "
    // and why for an adapter that cannot serve; "COMn=/dev/serial/by-id/..." for a serial one.
    [[nodiscard]] static std::vector<std::string> UsbAdapterLines(const std::vector<UsbAdapterStatus>& adapters);

private:
    PortChoice parallel_;
    PortChoice serial_;
    std::vector<std::string> usbAdapters_;
    int delay_ = 0;
    bool backup_ = true;
};

} // namespace zav
