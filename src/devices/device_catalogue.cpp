#include "devices/device_catalogue.h"

#include <algorithm>
#include <array>

namespace zav {

namespace {

constexpr std::array<AddressRange, 1> kHc05Map{{{0x0100, 0x01FF}}};
constexpr std::array<AddressRange, 1> kL28Map{{{0x0300, 0x03FF}}};
constexpr std::array<AddressRange, 2> kE9Map{{{0xB600, 0xB7FF}, {0x103F, 0x103F}}};
constexpr std::array<AddressRange, 2> kKaMap{{{0x0D80, 0x0FFF}, {0x003F, 0x003F}}};
constexpr std::array<AddressRange, 3> kPa8Map{{{0x0E00, 0x0FFF}, {0x003F, 0x003F}, {0xBE40, 0xFFFF}}};
constexpr std::array<AddressRange, 1> kTms256Map{{{0x1F00, 0x1FFF}}};
constexpr std::array<AddressRange, 1> kTms512Map{{{0x1E00, 0x1FFF}}};

constexpr std::string_view kHc05Text = "$0100...$01FF - EEPROM\r\n$0100 - Option Register";
constexpr std::string_view kKaText = "$0D80...$0FFF - EEPROM\r\n$003F - CONFIG Register";
constexpr std::string_view kTms256Text = "$1F00...$1FFF - EEPROM\r\n$1F00 - Write Protect Option Register";
constexpr std::string_view kTms512Text =
    "$1E00...$1FFF - EEPROM\r\n$1E00,$1F00 - Write Protect Option Registers";

using Family = DeviceFamily;
constexpr std::int32_t kNone = -1;
constexpr std::int32_t kHc05OptionRegister = 0x0100;
constexpr std::uint8_t kE9ConfigLock = 0x07;
constexpr std::uint8_t kKpConfigLock = 0xF7;
constexpr std::uint8_t kKpConfigUnlock = 0xFF;

// name, board, map, top, lock/unlock, port, board code, text,
// family, CONFIG, two blocks, option register, CONFIG lock and unlock values
constexpr std::array<DeviceInfo, 12> kDevices{{
    {"MC68HC05B6", 0, kHc05Map, 0x0100, true, PortKind::Lpt, 0, kHc05Text, //
     Family::Mc68hc05B6, kNone, false, kHc05OptionRegister},
    {"MC68HC705B16", 1, kHc05Map, 0x0100, true, PortKind::Lpt, 2, kHc05Text, //
     Family::Mc68hc705B16, kNone, false, kHc05OptionRegister},
    {"MC68HC05L28", 2, kL28Map, 0x0300, false, PortKind::Com, 1, "$0300...$03FF - EEPROM", //
     Family::Mc68hc05L28},
    // The E9's board unlocks CONFIG by a command of its own, so it has no unlock value.
    {"MC68HC11E9", 3, kE9Map, 0xB600, true, PortKind::Lpt, 4,
     "$B600...$B7FF - EEPROM\r\n$103F - CONFIG Register", Family::Mc68hc11E9, 0x103F, false, kNone,
     kE9ConfigLock},
    {"MC68HC11KA1", 4, kKaMap, 0x0D80, true, PortKind::Lpt, 3, kKaText, //
     Family::Mc68hc11Kp, 0x003F, false, kNone, kKpConfigLock, kKpConfigUnlock},
    {"MC68HC11KA4", 4, kKaMap, 0x0D80, true, PortKind::Lpt, 3, kKaText, //
     Family::Mc68hc11Kp, 0x003F, false, kNone, kKpConfigLock, kKpConfigUnlock},
    {"MC68HC11PA8", 4, kPa8Map, 0x0E00, true, PortKind::Lpt, 3,
     "$0E00...$0FFF - EEPROM\r\n$003F - CONFIG Register", Family::Mc68hc11Pa8, 0x003F, false, kNone,
     kKpConfigLock, kKpConfigUnlock},
    {"MC68HC11P2", 4, kKaMap, 0x0D80, true, PortKind::Lpt, 3, kKaText, //
     Family::Mc68hc11Kp, 0x003F, false, kNone, kKpConfigLock, kKpConfigUnlock},
    {"TMS370Cx5x (256)", 5, kTms256Map, 0x1F00, false, PortKind::Lpt, 6, kTms256Text, Family::Tms370},
    {"TMS370Cx5x (512)", 5, kTms512Map, 0x1E00, false, PortKind::Lpt, 6, kTms512Text, Family::Tms370, kNone,
     true},
    {"TMS375C006 (256)", 6, kTms256Map, 0x1F00, false, PortKind::Lpt, 8, kTms256Text, Family::Tms375},
    {"TMS375C006 (512)", 6, kTms512Map, 0x1E00, false, PortKind::Lpt, 8, kTms512Text, Family::Tms375, kNone,
     true},
}};

constexpr std::array<std::string_view, DeviceCatalogue::kHardwareBoardCount> kBoardNames{
    "MC68HC05B6", "MC68HC705B16", "MC68HC05L28", "MC68HC11E9", "MC68HC11PA8", "TMS370Cx5x", "TMS375C006"};

} // namespace

std::span<const DeviceInfo> DeviceCatalogue::Devices()
{
    return kDevices;
}

std::span<const std::string_view> DeviceCatalogue::HardwareBoardNames()
{
    return kBoardNames;
}

const DeviceInfo* DeviceCatalogue::FindDevice(std::string_view name)
{
    const auto found =
        std::find_if(kDevices.begin(), kDevices.end(), [&](const DeviceInfo& d) { return d.name == name; });
    return found == kDevices.end() ? nullptr : &*found;
}

std::vector<std::string> DeviceCatalogue::DevicesOfBoard(int hardwareBoard)
{
    std::vector<std::string> names;
    for (const DeviceInfo& device : kDevices) {
        if (device.hardwareBoard == hardwareBoard) names.emplace_back(device.name);
    }
    return names;
}

} // namespace zav
