#pragma once

#include "link/clock.h"

namespace zav {

// Wall-clock time: SleepMs really blocks the calling thread.
class RealTimeClock final : public Clock {
public:
    void SleepMs(int milliseconds) override;
    [[nodiscard]] std::int64_t NowUs() const override;
};

} // namespace zav
