#pragma once

#include <array>
#include <cstdint>
#include <string>

#include "link/parallel_port_io.h"
#include "link/ports_map.h"

namespace zav {

// The parallel ports through the kernel's ppdev driver. LPTn is /dev/parport(n-1) unless
// the ports map names another device. Claim opens the device and takes the port
// exclusively (no other driver may use it meanwhile); register access goes through the
// ppdev register ioctls; the last Release gives the port back and closes the device.
//
// The base address is the kernel's own (/proc/sys/dev/parport/parportN/base-addr); a
// port without one (a USB-attached parallel port) gets its port's usual legacy address,
// which only serves to tell the registers apart here.
//
// ppdev reads the control register from the kernel's copy of what was last written, not
// from the lines, so a board that signals ready through the clock line's read-back would
// never be seen busy. Where /dev/port may be read (root, or CAP_SYS_RAWIO) and the kernel
// gave the port's I/O address, control reads come from the hardware instead.
class PpdevParallelPortIo final : public ParallelPortIo {
public:
    explicit PpdevParallelPortIo(PortsMap map);
    PpdevParallelPortIo(const PpdevParallelPortIo&) = delete;
    PpdevParallelPortIo& operator=(const PpdevParallelPortIo&) = delete;
    ~PpdevParallelPortIo() override;

    [[nodiscard]] std::uint16_t BaseAddress(int portNumber) override;
    [[nodiscard]] bool Claim(int portNumber) override;
    void Release(int portNumber) override;
    [[nodiscard]] std::uint8_t Read(std::uint16_t address) override;
    void Write(std::uint16_t address, std::uint8_t value) override;
    [[nodiscard]] bool ReadsControlLines(int portNumber) override;
    [[nodiscard]] int SlowClockTest() override;
    [[nodiscard]] std::string FailureCause() const override { return failureCause_; }

private:
    struct Port {
        int fd = -1;
        int claims = 0;
        std::uint16_t base = 0;
        // /dev/port, for reading the control lines back; -1 when unavailable.
        int rawFd = -1;
    };

    [[nodiscard]] std::string DevicePath(int portNumber) const;
    [[nodiscard]] const Port* PortAt(std::uint16_t address) const;
    [[nodiscard]] bool HasKernelBase(int portNumber) const;
    // Opens /dev/port when the port's control register can be read there; -1 otherwise.
    [[nodiscard]] int OpenRawAccess(int portNumber, std::uint16_t base) const;
    static void Close(Port& port);

    PortsMap map_;
    std::array<Port, 3> ports_{};
    std::string failureCause_;
};

} // namespace zav
