#pragma once

#include <string_view>

namespace zav {

class DeviceSelectionView;
class MemoryBuffer;

// The reaction to a changed device name: the buffer is cleared to 0x00 with only the
// device's cells implemented (every cell for a name that is no device), the undo history
// and the description are dropped, and the device's options are enabled.
void ApplyDeviceSelection(std::string_view name, MemoryBuffer& buffer, DeviceSelectionView& view);

} // namespace zav
