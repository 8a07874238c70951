#pragma once

#include <filesystem>
#include <memory>
#include <string>
#include <vector>

#include "link/ftdi_usb.h"

namespace zav {

// The FTDI adapters of this machine: found through sysfs (which shows ids, chip and serial
// number even to a user who may not open the device), opened and driven through libftdi,
// which is loaded on the first Open.
class LibFtdiUsb final : public FtdiUsb {
public:
    // `usbDevices`: where the kernel lists the USB devices; `libFtdi`: the libftdi library
    // to load, by soname or path (empty: the one the program was built against).
    explicit LibFtdiUsb(std::filesystem::path usbDevices = "/sys/bus/usb/devices", std::string libFtdi = {});

    [[nodiscard]] bool Find(std::uint16_t vendor, std::uint16_t product,
                            std::vector<FtdiAdapterInfo>& found) override;
    [[nodiscard]] std::unique_ptr<FtdiConnection> Open(const FtdiAdapterInfo& adapter,
                                                       std::uint8_t outputMask) override;
    [[nodiscard]] std::string FailureCause() const override { return failureCause_; }

private:
    std::filesystem::path usbDevices_;
    std::string libFtdi_;
    std::string failureCause_;
};

// Whether vendor:product is one of the ids FTDI's own chips come with.
[[nodiscard]] bool IsFtdiId(std::uint16_t vendor, std::uint16_t product);

} // namespace zav
