#pragma once

#include <string>

#include "link/parallel_port_io.h"
#include "link/serial_port.h"
#include "sequences/link_endpoint.h"

namespace zav {

// Ports that refuse to open, each saying the same why: what a sequence gets while the
// ports map cannot be read, so that no name falls back to a real device. No register and
// no device is ever touched.
class RefusedPorts final : public LinkEndpoint, private ParallelPortIo, private SerialPort {
public:
    explicit RefusedPorts(std::string cause);

    [[nodiscard]] PortAccess Access() override;

private:
    [[nodiscard]] std::uint16_t BaseAddress(int) override { return 0; }
    [[nodiscard]] bool Claim(int) override { return false; }
    void Release(int) override {}
    [[nodiscard]] std::uint8_t Read(std::uint16_t) override { return 0xFF; }
    void Write(std::uint16_t, std::uint8_t) override {}
    [[nodiscard]] bool ReadsControlLines(int) override { return false; }
    [[nodiscard]] int SlowClockTest() override { return 0; }
    // Both port kinds give the same cause.
    [[nodiscard]] std::string FailureCause() const override { return cause_; }

    [[nodiscard]] bool Open(const std::string&) override { return false; }
    [[nodiscard]] bool IsOpen() const override { return false; }
    void Close() override {}
    [[nodiscard]] bool GetTimeouts(SerialTimeouts&) override { return false; }
    [[nodiscard]] bool SetTimeouts(const SerialTimeouts&) override { return false; }
    [[nodiscard]] bool GetLineSettings(SerialLineSettings&) override { return false; }
    [[nodiscard]] bool SetLineSettings(const SerialLineSettings&) override { return false; }
    [[nodiscard]] bool SetDtr(bool) override { return false; }
    [[nodiscard]] bool SetRts(bool) override { return false; }
    [[nodiscard]] bool PurgeReceive() override { return false; }
    [[nodiscard]] bool PurgeTransmit() override { return false; }
    [[nodiscard]] bool WriteByte(std::uint8_t) override { return false; }
    [[nodiscard]] SerialReadResult ReadByte(std::uint8_t&) override { return SerialReadResult::Failed; }

    std::string cause_;
};

} // namespace zav
