#include "files/buffer_file_access.h"

#include "buffer/memory_buffer.h"
#include "devices/apply_device_selection.h"
#include "devices/device_catalogue.h"
#include "devices/device_selection_view.h"
#include "messages/message_boxes.h"

namespace zav {

namespace {

// Without windows there are no option buttons to enable and no editor to scroll.
class NoSelectionView final : public DeviceSelectionView {
public:
    void SetOptionEnabled(SequenceOption, bool) override {}
    void ShowAddressAtTop(std::int32_t) override {}
};

} // namespace

std::unique_ptr<MemoryBuffer> CreateToolBuffer(const std::optional<std::string>& device, MessageBoxes& boxes)
{
    std::unique_ptr<MemoryBuffer> buffer = MemoryBuffer::Create(boxes);
    if (!buffer) return buffer;
    NoSelectionView view;
    ApplyDeviceSelection(device.value_or(std::string(NoDeviceName)), *buffer, view);
    return buffer;
}

} // namespace zav
