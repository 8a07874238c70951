#pragma once

#include <cstdint>
#include <string>

#include "link/parallel_port_io.h"

namespace zav::testing {

// What ppdev does to a port without direct I/O access: control reads answer the value last
// written instead of the lines' levels. Put in front of another port (the simulated board).
// `admitsIt` false makes it claim to read the lines anyway, as the link once assumed.
class StoredControlPort final : public ParallelPortIo {
public:
    explicit StoredControlPort(ParallelPortIo& inner, bool admitsIt = true)
        : inner_(inner), admitsIt_(admitsIt)
    {
    }

    std::uint16_t BaseAddress(int portNumber) override { return base_ = inner_.BaseAddress(portNumber); }
    bool Claim(int portNumber) override { return inner_.Claim(portNumber); }
    void Release(int portNumber) override { inner_.Release(portNumber); }
    std::uint8_t Read(std::uint16_t address) override
    {
        if (address == base_ + 2) return lastControl_;
        return inner_.Read(address);
    }
    void Write(std::uint16_t address, std::uint8_t value) override
    {
        if (address == base_ + 2) lastControl_ = value;
        inner_.Write(address, value);
    }
    bool ReadsControlLines(int) override { return !admitsIt_; }
    int SlowClockTest() override { return inner_.SlowClockTest(); }
    std::string FailureCause() const override { return kFix; }

    static constexpr const char* kFix =
        "run with the capability (sudo setcap cap_sys_rawio+ep zavtool), or as root";

private:
    ParallelPortIo& inner_;
    bool admitsIt_;
    std::uint16_t base_ = 0;
    std::uint8_t lastControl_ = 0;
};

} // namespace zav::testing
