#include "platform/device_probe.h"

#include <cerrno>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include "platform/device_failure.h"

namespace zav {

DeviceProblem ProbeDeviceProblem(const std::string& devicePath, bool wantsTerminal)
{
    if (IsUsbPrinterDevice(devicePath)) return {PortProblem::Unsuitable, {}};
    struct stat info {};
    if (stat(devicePath.c_str(), &info) != 0) return {PortProblem::NoDevice, {}};
    // Non-blocking and without becoming the controlling terminal: the probe must not wait
    // for a modem line or take the terminal from anyone.
    const int fd = open(devicePath.c_str(), O_RDWR | O_NONBLOCK | O_NOCTTY | O_CLOEXEC);
    if (fd < 0) {
        switch (errno) {
        case EACCES:
        case EPERM:
            return {PortProblem::NoPermission, GroupOfDevice(devicePath)};
        case ENOENT:
        case ENODEV:
        case ENXIO:
            return {PortProblem::NoDevice, {}};
        case EBUSY:
            return {PortProblem::HeldByDriver, {}};
        default:
            return {PortProblem::Unknown, {}};
        }
    }
    const bool terminal = isatty(fd) == 1;
    close(fd);
    if (wantsTerminal && !terminal) return {PortProblem::Unsuitable, {}};
    return {PortProblem::HeldByDriver, {}};
}

} // namespace zav
