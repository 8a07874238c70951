#include "sequences/sequence_plan.h"

#include <array>

#include "devices/device_catalogue.h"

namespace zav {

namespace {

struct PlanRow {
    std::string_view name;
    DeviceFamily family;
    AddressRange eeprom;
    int progressMaximum;
    std::int32_t configRegister; // -1: none
    bool twoBlocks;
};

constexpr std::array<PlanRow, 12> kPlans{{
    {"MC68HC05B6", DeviceFamily::Mc68hc05B6, {0x0100, 0x01FF}, 255, -1, false},
    {"MC68HC705B16", DeviceFamily::Mc68hc705B16, {0x0100, 0x01FF}, 255, -1, false},
    {"MC68HC05L28", DeviceFamily::Mc68hc05L28, {0x0300, 0x03FF}, 255, -1, false},
    {"MC68HC11E9", DeviceFamily::Mc68hc11E9, {0xB600, 0xB7FF}, 511, 0x103F, false},
    {"MC68HC11KA4", DeviceFamily::Mc68hc11Kp, {0x0D80, 0x0FFF}, 639, 0x003F, false},
    {"MC68HC11P2", DeviceFamily::Mc68hc11Kp, {0x0D80, 0x0FFF}, 639, 0x003F, false},
    {"MC68HC11KA1", DeviceFamily::Mc68hc11Kp, {0x0D80, 0x0FFF}, 639, 0x003F, false},
    {"MC68HC11PA8", DeviceFamily::Mc68hc11Pa8, {0x0E00, 0x0FFF}, 511, 0x003F, false},
    {"TMS370Cx5x (256)", DeviceFamily::Tms370, {0x1F00, 0x1FFF}, 255, -1, false},
    {"TMS370Cx5x (512)", DeviceFamily::Tms370, {0x1E00, 0x1FFF}, 511, -1, true},
    {"TMS375C006 (256)", DeviceFamily::Tms375, {0x1F00, 0x1FFF}, 255, -1, false},
    {"TMS375C006 (512)", DeviceFamily::Tms375, {0x1E00, 0x1FFF}, 511, -1, true},
}};

} // namespace

std::optional<SequencePlan> FindSequencePlan(std::string_view deviceName)
{
    for (const PlanRow& row : kPlans) {
        if (row.name != deviceName) continue;
        SequencePlan plan;
        plan.device = DeviceCatalogue::FindDevice(row.name);
        plan.family = row.family;
        plan.eeprom = row.eeprom;
        plan.progressMaximum = row.progressMaximum;
        if (row.configRegister >= 0) plan.configRegister = row.configRegister;
        plan.twoBlocks = row.twoBlocks;
        return plan;
    }
    return std::nullopt;
}

} // namespace zav
