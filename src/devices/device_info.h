#pragma once

#include <cstdint>
#include <span>
#include <string_view>

#include "buffer/address_range.h"

namespace zav {

// Which configured port a device's board hangs on: the LPT_PORT or the COM_PORT setting.
enum class PortKind { Lpt, Com };

// One supported device: its memory map, what the program sequence may offer and how the
// programmer board for it is reached. Entries are constants built into the program.
struct DeviceInfo {
    std::string_view name;
    int hardwareBoard = 0;
    std::span<const AddressRange> implementedRanges;
    std::int32_t topAddress = 0;
    bool hasLockUnlock = false;
    PortKind portKind = PortKind::Lpt;
    std::uint8_t boardCode = 0;
    // Memory-map summary, lines separated by CR LF.
    std::string_view descriptionText;
};

} // namespace zav
