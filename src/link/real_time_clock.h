#pragma once

#include "link/clock.h"

namespace zav {

// Wall-clock time: SleepMs really blocks the calling thread.
class RealTimeClock final : public Clock {
public:
    void SleepMs(int milliseconds) override;
    // Looks at `stop` every kStopCheckMs, so a stop ends a long wait within that time.
    bool SleepMsUnlessStopped(int milliseconds, const std::atomic<bool>& stop) override;
    static constexpr int kStopCheckMs = 10;
    [[nodiscard]] std::int64_t NowUs() const override;
};

} // namespace zav
