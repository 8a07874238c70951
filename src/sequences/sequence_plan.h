#pragma once

#include <cstdint>
#include <optional>
#include <string_view>

#include "devices/device_info.h"

namespace zav {

// What the read and program sequences do with one device: the EEPROM range they read,
// program and verify, the progress maximum of each pass, the register beside the range and
// the link's board code and port.
struct SequencePlan {
    const DeviceInfo* device = nullptr;
    DeviceFamily family = DeviceFamily::Mc68hc05B6;
    AddressRange eeprom;
    int progressMaximum = 0;
    // CONFIG of the MC68HC11 devices, read after the range; none for the others.
    std::optional<std::int32_t> configRegister;
    // The 512-byte TMS parts have two blocks, each with its write-protect register first.
    bool twoBlocks = false;

    [[nodiscard]] bool IsTms() const
    {
        return family == DeviceFamily::Tms370 || family == DeviceFamily::Tms375;
    }
    [[nodiscard]] bool IsMc68hc11() const
    {
        return family == DeviceFamily::Mc68hc11E9 || family == DeviceFamily::Mc68hc11Kp ||
               family == DeviceFamily::Mc68hc11Pa8;
    }
};

// The plan for the device named exactly by the device field's text; none for any other text.
[[nodiscard]] std::optional<SequencePlan> FindSequencePlan(std::string_view deviceName);

} // namespace zav
