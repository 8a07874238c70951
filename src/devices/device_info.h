#pragma once

#include <cstdint>
#include <span>
#include <string_view>

#include "buffer/address_range.h"

namespace zav {

// The device families the sequences tell apart: each has its own handshake and program path.
enum class DeviceFamily {
    Mc68hc05B6,
    Mc68hc705B16,
    Mc68hc05L28,
    Mc68hc11E9,
    Mc68hc11Kp, // KA1, KA4, P2
    Mc68hc11Pa8,
    Tms370,
    Tms375,
};

// Which configured port a device's board hangs on: the LPT_PORT or the COM_PORT setting.
enum class PortKind { Lpt, Com };

// One supported device: its memory map, what the program sequence may offer, how the
// programmer board for it is reached and what the read and program sequences do with it.
// Entries are constants built into the program, one row per device.
struct DeviceInfo {
    std::string_view name;
    int hardwareBoard = 0;
    // The EEPROM first: the range the read and program sequences work through.
    std::span<const AddressRange> implementedRanges;
    std::int32_t topAddress = 0;
    bool hasLockUnlock = false;
    PortKind portKind = PortKind::Lpt;
    std::uint8_t boardCode = 0;
    // Memory-map summary, lines separated by CR LF.
    std::string_view descriptionText;
    DeviceFamily family = DeviceFamily::Mc68hc05B6;
    // CONFIG of the MC68HC11 devices, read after the range; -1 for the others.
    std::int32_t configRegister = -1;
    // The 512-byte TMS parts have two blocks, each with its write-protect register first.
    bool twoBlocks = false;
    // The MC68HC05 option register whose low bit locks the device; -1 for the others.
    std::int32_t optionRegister = -1;
    // What the program sequence writes to CONFIG to lock and to unlock (the MC68HC11E9's
    // board unlocks by a command of its own instead).
    std::uint8_t configLockValue = 0;
    std::uint8_t configUnlockValue = 0;
};

} // namespace zav
