#pragma once

#include <atomic>
#include <cstdint>

namespace zav {

// The link's only source of time. Sleeping goes through here so that tests and the
// simulated board can run on virtual time instead of waiting for real seconds.
class Clock {
public:
    virtual ~Clock() = default;
    virtual void SleepMs(int milliseconds) = 0;
    // As SleepMs, but returns as soon as `stop` is set; returns whether it was. Time that
    // never really passes (a virtual clock) sleeps whole.
    virtual bool SleepMsUnlessStopped(int milliseconds, const std::atomic<bool>& stop)
    {
        SleepMs(milliseconds);
        return stop.load();
    }
    // The pause between two polls of a board's ready line once the first quick polls found
    // it busy: a millisecond of the clock's time.
    virtual void PauseBetweenPolls() { SleepMs(1); }
    // Microseconds since an arbitrary, fixed origin; never goes backwards.
    [[nodiscard]] virtual std::int64_t NowUs() const = 0;
};

} // namespace zav
