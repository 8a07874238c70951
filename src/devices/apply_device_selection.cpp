#include "devices/apply_device_selection.h"

#include <array>

#include "buffer/memory_buffer.h"
#include "devices/device_catalogue.h"
#include "devices/device_selection_view.h"

namespace zav {

namespace {

constexpr std::array kAllOptions{SequenceOption::Erase, SequenceOption::Program, SequenceOption::Verify,
                                 SequenceOption::Read,  SequenceOption::Lock,    SequenceOption::Unlock};
constexpr std::array kEveryDeviceOptions{SequenceOption::Erase, SequenceOption::Program,
                                         SequenceOption::Verify, SequenceOption::Read};

void SetImplemented(MemoryBuffer& buffer, AddressRange range)
{
    for (std::int32_t address = range.first; address <= range.last; ++address) {
        buffer.SetUnimplemented(address, false);
    }
}

} // namespace

void ApplyDeviceSelection(std::string_view name, MemoryBuffer& buffer, DeviceSelectionView& view)
{
    for (SequenceOption option : kAllOptions) view.SetOptionEnabled(option, false);
    buffer.Descriptions().ClearDescription();
    buffer.BeginUpdate();
    // A cell must be implemented to take a byte; it is then left outside the map until the
    // device's own ranges bring it back.
    for (std::int32_t address = 0; address <= buffer.LastAddress(); ++address) {
        buffer.SetUnimplemented(address, false);
        buffer.SetByte(address, 0x00);
        buffer.SetUnimplemented(address, true);
    }
    if (const DeviceInfo* device = DeviceCatalogue::FindDevice(name)) {
        for (AddressRange range : device->implementedRanges) SetImplemented(buffer, range);
        for (SequenceOption option : kEveryDeviceOptions) view.SetOptionEnabled(option, true);
        if (device->hasLockUnlock) {
            view.SetOptionEnabled(SequenceOption::Lock, true);
            view.SetOptionEnabled(SequenceOption::Unlock, true);
        }
        view.ShowAddressAtTop(device->topAddress);
    } else {
        SetImplemented(buffer, {0, buffer.LastAddress()});
    }
    buffer.EndUpdate();
}

} // namespace zav
