#include "platform/device_failure.h"

#include <cerrno>
#include <cstring>
#include <filesystem>
#include <grp.h>
#include <sys/stat.h>

namespace zav {

std::string GroupOfDevice(const std::string& devicePath)
{
    struct stat info {};
    if (stat(devicePath.c_str(), &info) != 0) return {};
    const group* owner = getgrgid(info.st_gid);
    return owner != nullptr ? std::string(owner->gr_name) : std::to_string(info.st_gid);
}

bool IsUsbPrinterDevice(const std::string& devicePath)
{
    return devicePath.rfind("/dev/usb/lp", 0) == 0;
}

std::string FindUsbPrinterDevice()
{
    std::error_code ignored;
    for (const auto& entry : std::filesystem::directory_iterator("/dev/usb", ignored)) {
        const std::string path = entry.path().string();
        if (IsUsbPrinterDevice(path)) return path;
    }
    return {};
}

namespace {

// Who may open the device, and how the user becomes one of them: a group is named only
// when its members may both read and write.
std::string AccessHint(const std::string& devicePath)
{
    struct stat info {};
    if (stat(devicePath.c_str(), &info) != 0) return {};
    constexpr mode_t kGroupReadWrite = S_IRGRP | S_IWGRP;
    if ((info.st_mode & kGroupReadWrite) == kGroupReadWrite) {
        const std::string group = GroupOfDevice(devicePath);
        return " (members of group " + group + " may use it: sudo usermod -aG " + group +
               " \"$USER\", then log in again)";
    }
    return " (no group may use it, only its owner; a udev rule can give a group access)";
}

} // namespace

std::string DescribeDeviceFailure(const std::string& devicePath, int errorNumber)
{
    switch (errorNumber) {
    case ENOENT:
    case ENODEV:
    case ENXIO:
        return "no such device: " + devicePath;
    case EACCES:
    case EPERM:
        return "permission denied: " + devicePath + AccessHint(devicePath);
    case EBUSY:
        return devicePath + " is held by another driver or program";
    default:
        return devicePath + ": " + std::strerror(errorNumber);
    }
}

} // namespace zav
