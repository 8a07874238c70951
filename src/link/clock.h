#pragma once

#include <cstdint>

namespace zav {

// The link's only source of time. Sleeping goes through here so that tests and the
// simulated board can run on virtual time instead of waiting for real seconds.
class Clock {
public:
    virtual ~Clock() = default;
    virtual void SleepMs(int milliseconds) = 0;
    // Microseconds since an arbitrary, fixed origin; never goes backwards.
    [[nodiscard]] virtual std::int64_t NowUs() const = 0;
};

} // namespace zav
