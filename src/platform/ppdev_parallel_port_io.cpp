#include "platform/ppdev_parallel_port_io.h"

#include <cerrno>
#include <chrono>
#include <fcntl.h>
#include <filesystem>
#include <fstream>
#include <linux/parport.h>
#include <linux/ppdev.h>
#include <sys/ioctl.h>
#include <unistd.h>

#include "link/ftdi_target.h"
#include "platform/default_devices.h"
#include "platform/device_failure.h"
#include "link/port_name.h"

namespace zav {

namespace {

constexpr std::array<std::uint16_t, 3> kLegacyBases = {0x378, 0x278, 0x3BC};
constexpr int kTimedWrites = 256;
constexpr double kFastWriteNs = 1000.0;

// The ppdev requests that read and write each register, by its offset; the status register
// is read-only (0: no request).
struct RegisterRequests {
    unsigned long read;
    unsigned long write;
};
constexpr std::array<RegisterRequests, 3> kRegisterRequests = {{
    {PPRDATA, PPWDATA},
    {PPRSTATUS, 0},
    {PPRCONTROL, PPWCONTROL},
}};

const char* const kNoIoAddress =
    "the clock line's level cannot be read on this port (it has no I/O address, as on a USB adapter)";

// ppdev answers a control read from the kernel's copy of the last write; the lines' levels
// need /dev/port, which only root or a program with CAP_SYS_RAWIO may read.
std::string ControlReadFix()
{
    std::error_code error;
    const std::filesystem::path program = std::filesystem::read_symlink("/proc/self/exe", error);
    return "the clock line's level cannot be read without direct port access: run with the capability "
           "(sudo setcap cap_sys_rawio+ep " +
           (error ? std::string("<program>") : program.string()) + "), or as root";
}

bool ValidPort(int portNumber)
{
    return PortName::HasNumber(PortName::Kind::Parallel, portNumber);
}

// "/dev/parport2" (after following links) -> 2; -1 for other devices.
int ParportIndex(const std::string& devicePath)
{
    std::error_code ignored;
    const std::string resolved = std::filesystem::canonical(devicePath, ignored).string();
    const std::string prefix = "/dev/parport";
    if (resolved.rfind(prefix, 0) != 0 || resolved.size() == prefix.size()) return -1;
    int index = 0;
    for (std::size_t i = prefix.size(); i < resolved.size(); ++i) {
        if (resolved[i] < '0' || resolved[i] > '9') return -1;
        index = index * 10 + (resolved[i] - '0');
    }
    return index;
}

std::uint16_t KernelBaseAddress(int parportIndex)
{
    std::ifstream file("/proc/sys/dev/parport/parport" + std::to_string(parportIndex) + "/base-addr");
    unsigned long base = 0;
    if (!(file >> base) || base > 0xFFFF) return 0;
    return static_cast<std::uint16_t>(base);
}

} // namespace

PpdevParallelPortIo::PpdevParallelPortIo(PortsMap map) : map_(std::move(map)) {}

PpdevParallelPortIo::~PpdevParallelPortIo()
{
    for (Port& port : ports_) Close(port);
}

void PpdevParallelPortIo::Close(Port& port)
{
    if (port.fd >= 0) {
        ioctl(port.fd, PPRELEASE);
        close(port.fd);
    }
    if (port.rawFd >= 0) close(port.rawFd);
    port = Port{};
}

bool PpdevParallelPortIo::HasKernelBase(int portNumber) const
{
    const int index = ParportIndex(DevicePath(portNumber));
    return index >= 0 && KernelBaseAddress(index) != 0;
}

std::string PpdevParallelPortIo::DevicePath(int portNumber) const
{
    return DevicePathFor(PortName::Parallel(portNumber).Text(), map_);
}

std::uint16_t PpdevParallelPortIo::BaseAddress(int portNumber)
{
    failureCause_.clear();
    if (!ValidPort(portNumber)) return 0;
    const std::string path = DevicePath(portNumber);
    if (FtdiTarget::IsFtdiTarget(path)) {
        // Such a port is the adapter's; it must never fall back to a parallel port device.
        failureCause_ = PortName::Parallel(portNumber).Text() + " is on the USB adapter " + path;
        return 0;
    }
    if (IsUsbPrinterDevice(path)) {
        failureCause_ = path + " is a USB printer adapter, which cannot drive the port's lines bit by bit";
        return 0;
    }
    std::error_code error;
    if (!std::filesystem::exists(path, error)) {
        failureCause_ = DescribeDeviceFailure(path, ENOENT);
        if (const std::string printer = FindUsbPrinterDevice(); !printer.empty()) {
            failureCause_ +=
                "; the USB printer adapter " + printer + " cannot drive the port's lines bit by bit";
        }
        return 0;
    }
    const int index = ParportIndex(path);
    const std::uint16_t kernelBase = index >= 0 ? KernelBaseAddress(index) : 0;
    return kernelBase != 0 ? kernelBase : kLegacyBases[static_cast<std::size_t>(portNumber - 1)];
}

bool PpdevParallelPortIo::Claim(int portNumber)
{
    failureCause_.clear();
    if (!ValidPort(portNumber)) return false;
    Port& port = ports_[static_cast<std::size_t>(portNumber - 1)];
    if (port.claims > 0) {
        ++port.claims;
        return true;
    }
    const std::uint16_t base = BaseAddress(portNumber);
    if (base == 0) return false;
    const std::string path = DevicePath(portNumber);
    const int fd = open(path.c_str(), O_RDWR | O_CLOEXEC);
    if (fd < 0) {
        failureCause_ = DescribeDeviceFailure(path, errno);
        return false;
    }
    // Exclusive: the printer driver must not touch the lines while the board is driven.
    if (ioctl(fd, PPEXCL) != 0 || ioctl(fd, PPCLAIM) != 0) {
        const int claimError = errno;
        failureCause_ =
            DescribeDeviceFailure(path, claimError == EINVAL || claimError == ENXIO ? EBUSY : claimError);
        close(fd);
        return false;
    }
    port = Port{fd, 1, base, OpenRawAccess(portNumber, base)};
    return true;
}

int PpdevParallelPortIo::OpenRawAccess(int portNumber, std::uint16_t base) const
{
    if (!HasKernelBase(portNumber)) return -1;
    const int rawFd = open("/dev/port", O_RDONLY | O_CLOEXEC);
    unsigned char control = 0;
    // Opening may succeed where reading is still refused (no CAP_SYS_RAWIO).
    if (rawFd >= 0 && pread(rawFd, &control, 1, base + kControlOffset) != 1) {
        close(rawFd);
        return -1;
    }
    return rawFd;
}

bool PpdevParallelPortIo::ReadsControlLines(int portNumber)
{
    if (!ValidPort(portNumber)) return false;
    const Port& port = ports_[static_cast<std::size_t>(portNumber - 1)];
    if (port.claims > 0 && port.rawFd >= 0) return true;
    if (port.claims == 0) {
        // Not claimed (a port check): whether a claim would get the levels.
        const std::uint16_t base = BaseAddress(portNumber);
        const int rawFd = base != 0 ? OpenRawAccess(portNumber, base) : -1;
        if (rawFd >= 0) {
            close(rawFd);
            return true;
        }
    }
    failureCause_ = HasKernelBase(portNumber) ? ControlReadFix() : kNoIoAddress;
    return false;
}

void PpdevParallelPortIo::Release(int portNumber)
{
    if (!ValidPort(portNumber)) return;
    Port& port = ports_[static_cast<std::size_t>(portNumber - 1)];
    if (port.claims == 0 || --port.claims > 0) return;
    Close(port);
}

const PpdevParallelPortIo::Port* PpdevParallelPortIo::PortAt(std::uint16_t address) const
{
    for (const Port& port : ports_) {
        if (port.fd >= 0 && address >= port.base && address <= port.base + kControlOffset) return &port;
    }
    return nullptr;
}

std::uint8_t PpdevParallelPortIo::Read(std::uint16_t address)
{
    const Port* port = PortAt(address);
    if (port == nullptr) return 0xFF;
    unsigned char value = 0xFF;
    const std::size_t offset = address - port->base;
    // The control lines' levels, where direct access allows, rather than the last write.
    if (offset == kControlOffset && port->rawFd >= 0 && pread(port->rawFd, &value, 1, address) == 1)
        return value;
    ioctl(port->fd, kRegisterRequests[offset].read, &value);
    return value;
}

void PpdevParallelPortIo::Write(std::uint16_t address, std::uint8_t value)
{
    const Port* port = PortAt(address);
    if (port == nullptr) return;
    const unsigned long request = kRegisterRequests[address - port->base].write;
    if (request == 0) return;
    unsigned char byte = value;
    ioctl(port->fd, request, &byte);
}

int PpdevParallelPortIo::SlowClockTest()
{
    const Port* claimed = nullptr;
    for (const Port& port : ports_) {
        if (port.fd >= 0) claimed = &port;
    }
    if (claimed == nullptr) return 1;
    // Rewriting the control register with its own value changes no line.
    unsigned char control = 0;
    if (ioctl(claimed->fd, PPRCONTROL, &control) != 0) return 1;
    const auto start = std::chrono::steady_clock::now();
    for (int i = 0; i < kTimedWrites; ++i) ioctl(claimed->fd, PPWCONTROL, &control);
    const std::chrono::duration<double, std::nano> elapsed = std::chrono::steady_clock::now() - start;
    return elapsed.count() / kTimedWrites < kFastWriteNs ? 0 : 1;
}

} // namespace zav
