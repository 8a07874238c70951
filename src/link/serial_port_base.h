#pragma once

#include <string>
#include <utility>

#include "link/serial_port.h"

namespace zav {

// What the ports that drive a line themselves have in common. None of their devices knows
// timeouts in the comm model's terms, so the port keeps the ones set and applies them to
// each read and write itself; and it remembers why the last Open failed.
class SerialPortBase : public SerialPort {
public:
    // Each holds a device open; a copy would close it twice.
    SerialPortBase() = default;
    SerialPortBase(const SerialPortBase&) = delete;
    SerialPortBase& operator=(const SerialPortBase&) = delete;
    ~SerialPortBase() override = default;

    [[nodiscard]] bool GetTimeouts(SerialTimeouts& timeouts) final
    {
        if (!IsOpen()) return false;
        timeouts = timeouts_;
        return true;
    }
    [[nodiscard]] bool SetTimeouts(const SerialTimeouts& timeouts) final
    {
        if (!IsOpen()) return false;
        timeouts_ = timeouts;
        return true;
    }
    [[nodiscard]] std::string FailureCause() const final { return failureCause_; }

    // The timeouts the next read or write goes by.
    [[nodiscard]] const SerialTimeouts& Timeouts() const { return timeouts_; }

protected:
    void ClearTimeouts() { timeouts_ = SerialTimeouts{}; }
    void SetFailureCause(std::string cause) { failureCause_ = std::move(cause); }

private:
    SerialTimeouts timeouts_{};
    std::string failureCause_;
};

} // namespace zav
