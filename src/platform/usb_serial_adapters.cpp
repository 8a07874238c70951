#include "platform/usb_serial_adapters.h"

#include <algorithm>
#include <fstream>

namespace zav {

namespace {

std::string FirstLine(const std::filesystem::path& file)
{
    std::ifstream in(file);
    std::string line;
    std::getline(in, line);
    return line;
}

// The USB device a tty belongs to: the first folder above the tty's device that has ids.
std::filesystem::path UsbDeviceOf(const std::filesystem::path& ttyClass, const std::string& ttyName)
{
    std::error_code error;
    std::filesystem::path folder = std::filesystem::canonical(ttyClass / ttyName / "device", error);
    if (error) return {};
    while (!folder.empty() && folder != folder.root_path()) {
        if (std::filesystem::exists(folder / "idVendor", error)) return folder;
        folder = folder.parent_path();
    }
    return {};
}

} // namespace

std::vector<UsbSerialAdapter> FindUsbSerialAdapters(const std::filesystem::path& byIdFolder,
                                                    const std::filesystem::path& ttyClass)
{
    std::vector<UsbSerialAdapter> adapters;
    std::error_code error;
    std::filesystem::directory_iterator names(byIdFolder, error);
    if (error) return adapters;
    for (const auto& entry : names) {
        UsbSerialAdapter adapter;
        adapter.stableName = entry.path().string();
        const std::filesystem::path device = std::filesystem::canonical(entry.path(), error);
        if (error) continue;
        adapter.device = device.string();
        const std::filesystem::path usb = UsbDeviceOf(ttyClass, device.filename().string());
        if (!usb.empty()) {
            adapter.usbId = FirstLine(usb / "idVendor") + ":" + FirstLine(usb / "idProduct");
            adapter.manufacturer = FirstLine(usb / "manufacturer");
            adapter.product = FirstLine(usb / "product");
        }
        adapters.push_back(std::move(adapter));
    }
    std::sort(adapters.begin(), adapters.end(),
              [](const UsbSerialAdapter& a, const UsbSerialAdapter& b) { return a.stableName < b.stableName; });
    return adapters;
}

} // namespace zav
