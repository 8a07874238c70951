#pragma once

#include <cstdint>

#include "link/clock.h"

namespace zav {

// How long before a deadline a sleeping thread has to ask to be woken so that it is awake
// by then: learnt from the lateness of its earlier wake-ups.
class WakeUpMargin {
public:
    // The margin for a wait of `waitUs`: twice the usual lateness plus a little, never more
    // than kMaxUs nor half the wait, so spinning costs a fraction of the wait at most.
    [[nodiscard]] std::int64_t MarginUs(std::int64_t waitUs) const;
    // A wake-up came `lateUs` after the time asked for (negative: early, as after a signal).
    void Observe(std::int64_t lateUs);
    [[nodiscard]] double UsualLatenessUs() const { return latenessUs_; }

    static constexpr std::int64_t kFloorUs = 5;
    static constexpr std::int64_t kMaxUs = 300;
    // Where a thread starts before it has slept: a little below the kernel's wake-up
    // latency with the timer slack at its minimum on an idle machine.
    static constexpr std::int64_t kInitialLatenessUs = 50;

private:
    // Fractional, so that the average settles on small latenesses too.
    double latenessUs_ = kInitialLatenessUs;
};

// Wall-clock time: SleepMs really blocks the calling thread.
//
// A wait ends at its deadline, not at the deadline plus the kernel's wake-up latency: the
// thread sleeps on the monotonic clock to an absolute time a margin before the deadline,
// with its timer slack at the minimum, and spins the rest. Over the thousands of byte gaps
// of a sequence the latency (tens of microseconds a sleep) would otherwise add up to
// seconds; the margin costs that much CPU instead. No wait ever ends early: the board's
// gaps are minimums.
class RealTimeClock final : public Clock {
public:
    void SleepMs(int milliseconds) override;
    // Looks at `stop` every kStopCheckMs, so a stop ends a long wait within that time.
    bool SleepMsUnlessStopped(int milliseconds, const std::atomic<bool>& stop) override;
    static constexpr int kStopCheckMs = 10;
    // A tenth of a millisecond, slept without spinning: a board that becomes ready is seen
    // within about that, at a few percent of a core while it is busy.
    void PauseBetweenPolls() override;
    static constexpr std::int64_t kPollPauseUs = 100;
    [[nodiscard]] std::int64_t NowUs() const override;
};

} // namespace zav
