#pragma once

#include <cstdint>

#include "link/clock.h"

namespace zav {

// A clock that only moves when told to: SleepMs returns at once and advances the time,
// and a simulated board advances it by the duration of each port access. Used by one
// thread only (the link and its simulated board run on the same worker).
class VirtualClock final : public Clock {
public:
    void SleepMs(int milliseconds) override;
    [[nodiscard]] std::int64_t NowUs() const override { return nowUs_; }
    void AdvanceUs(std::int64_t microseconds);
    // Sum of every SleepMs so far, so tests can check the waits a protocol performs.
    [[nodiscard]] std::int64_t SleptMs() const { return sleptMs_; }

private:
    std::int64_t nowUs_ = 0;
    std::int64_t sleptMs_ = 0;
};

} // namespace zav
