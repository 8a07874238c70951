#include "devices/select_device_model.h"

#include "devices/device_catalogue.h"

namespace zav {

namespace {

// The description's CR LF pairs start new lines.
std::vector<std::string> SplitCrLf(const std::string& text)
{
    std::vector<std::string> lines;
    std::size_t start = 0;
    for (std::size_t end = text.find("\r\n"); end != std::string::npos; end = text.find("\r\n", start)) {
        lines.push_back(text.substr(start, end - start));
        start = end + 2;
    }
    lines.push_back(text.substr(start));
    return lines;
}

} // namespace

void SelectDeviceModel::ChooseBoard(int board)
{
    selected_.reset();
    infoLines_.clear();
    if (board < 0 || board >= DeviceCatalogue::kHardwareBoardCount) {
        board_.reset();
        devices_.clear();
        return;
    }
    board_ = board;
    devices_ = DeviceCatalogue::DevicesOfBoard(board);
}

void SelectDeviceModel::ChooseDevice(int index)
{
    infoLines_.clear();
    if (index < 0 || static_cast<std::size_t>(index) >= devices_.size()) {
        selected_.reset();
        return;
    }
    selected_ = index;
    if (const DeviceInfo* device = DeviceCatalogue::FindDevice(devices_[static_cast<std::size_t>(index)])) {
        infoLines_ = SplitCrLf(std::string(device->descriptionText));
    }
}

std::optional<std::string> SelectDeviceModel::Accept() const
{
    if (!selected_) return std::nullopt;
    return devices_[static_cast<std::size_t>(*selected_)];
}

} // namespace zav
