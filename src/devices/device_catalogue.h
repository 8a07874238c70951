#pragma once

#include <span>
#include <string>
#include <string_view>
#include <vector>

#include "devices/device_info.h"

namespace zav {

// The device field's text when no device is chosen; it names no catalogue entry.
inline constexpr std::string_view NoDeviceName = "No device selected";

// The fixed table of the twelve supported devices, listed per hardware board in the order
// the Select Device dialog shows them. Devices are known by their exact names only.
class DeviceCatalogue {
public:
    static constexpr int kHardwareBoardCount = 7;

    [[nodiscard]] static std::span<const DeviceInfo> Devices();
    // The "Hardware" radio-group items; the index is DeviceInfo::hardwareBoard.
    [[nodiscard]] static std::span<const std::string_view> HardwareBoardNames();
    // Exact, case-sensitive match; null for any other text.
    [[nodiscard]] static const DeviceInfo* FindDevice(std::string_view name);
    // The names of a board's devices in catalogue order; empty for an index out of range.
    [[nodiscard]] static std::vector<std::string> DevicesOfBoard(int hardwareBoard);
};

} // namespace zav
