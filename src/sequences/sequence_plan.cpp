#include "sequences/sequence_plan.h"

#include "devices/device_catalogue.h"

namespace zav {

std::optional<SequencePlan> FindSequencePlan(std::string_view deviceName)
{
    const DeviceInfo* device = DeviceCatalogue::FindDevice(deviceName);
    if (device == nullptr) return std::nullopt;
    SequencePlan plan;
    plan.device = device;
    plan.family = device->family;
    plan.eeprom = device->implementedRanges.front();
    // Each pass steps once per cell after the first.
    plan.progressMaximum = plan.eeprom.Size() - 1;
    if (device->configRegister >= 0) plan.configRegister = device->configRegister;
    plan.twoBlocks = device->twoBlocks;
    return plan;
}

} // namespace zav
