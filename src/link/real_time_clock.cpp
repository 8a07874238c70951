#include "link/real_time_clock.h"

#include <sys/prctl.h>
#include <time.h>

#include <algorithm>
#include <cerrno>

namespace zav {

namespace {

constexpr std::int64_t kNsPerUs = 1000;
constexpr std::int64_t kNsPerMs = 1'000'000;
constexpr std::int64_t kNsPerSecond = 1'000'000'000;

// Deadlines are kept to the nanosecond: one counted from a reading truncated to whole
// microseconds would end up to a microsecond before its time.
std::int64_t MonotonicNowNs()
{
    timespec now{};
    clock_gettime(CLOCK_MONOTONIC, &now);
    return std::int64_t{now.tv_sec} * kNsPerSecond + now.tv_nsec;
}

// The default slack of 50 us lets the kernel wake a sleeper that much late to batch
// wake-ups; the board's gaps want the earliest wake-up there is. Once per thread.
void UseMinimumTimerSlack()
{
    thread_local const bool set = [] {
        prctl(PR_SET_TIMERSLACK, 1UL, 0UL, 0UL, 0UL);
        return true;
    }();
    (void)set;
}

// Each thread learns its own wake-up latency: the link's worker, the window's, a test's.
thread_local WakeUpMargin wakeUpMargin;

void SleepUntilNs(std::int64_t wakeNs)
{
    const timespec wake{static_cast<time_t>(wakeNs / kNsPerSecond), static_cast<long>(wakeNs % kNsPerSecond)};
    // A signal handled meanwhile ends the sleep early: sleeping on to the same time loses
    // nothing.
    while (clock_nanosleep(CLOCK_MONOTONIC, TIMER_ABSTIME, &wake, nullptr) == EINTR) {
    }
}

// Sleeps to the margin before `deadlineNs`, then spins to it.
void WaitUntilNs(std::int64_t deadlineNs)
{
    UseMinimumTimerSlack();
    const std::int64_t nowNs = MonotonicNowNs();
    const std::int64_t wakeNs = deadlineNs - wakeUpMargin.MarginUs((deadlineNs - nowNs) / kNsPerUs) * kNsPerUs;
    if (wakeNs > nowNs) {
        SleepUntilNs(wakeNs);
        wakeUpMargin.Observe((MonotonicNowNs() - wakeNs) / kNsPerUs);
    }
    while (MonotonicNowNs() < deadlineNs) {
    }
}

} // namespace

std::int64_t WakeUpMargin::MarginUs(std::int64_t waitUs) const
{
    const auto usual = static_cast<std::int64_t>(2 * latenessUs_) + kFloorUs;
    return std::clamp<std::int64_t>(std::min(usual, kMaxUs), 0, std::max<std::int64_t>(waitUs / 2, 0));
}

void WakeUpMargin::Observe(std::int64_t lateUs)
{
    // A moving average over about eight wake-ups: one late wake-up (the machine was busy)
    // moves it a little, a lasting change within a few waits.
    latenessUs_ += (static_cast<double>(std::clamp<std::int64_t>(lateUs, 0, kMaxUs)) - latenessUs_) / 8;
}

void RealTimeClock::SleepMs(int milliseconds)
{
    if (milliseconds <= 0) return;
    WaitUntilNs(MonotonicNowNs() + std::int64_t{milliseconds} * kNsPerMs);
}

bool RealTimeClock::SleepMsUnlessStopped(int milliseconds, const std::atomic<bool>& stop)
{
    constexpr std::int64_t kStopCheckNs = std::int64_t{kStopCheckMs} * kNsPerMs;
    const std::int64_t deadlineNs = MonotonicNowNs() + std::int64_t{std::max(milliseconds, 0)} * kNsPerMs;
    // Only the end has to come on time: the looks at `stop` before the last stretch may come
    // late, so they sleep without the spin that a wait ending on time costs.
    const std::int64_t lastStretchNs = deadlineNs - kStopCheckNs;
    while (!stop.load()) {
        const std::int64_t nowNs = MonotonicNowNs();
        if (nowNs >= deadlineNs) return false;
        if (nowNs < lastStretchNs) {
            SleepUntilNs(std::min(nowNs + kStopCheckNs, lastStretchNs));
        } else {
            WaitUntilNs(deadlineNs);
        }
    }
    return true;
}

void RealTimeClock::PauseBetweenPolls()
{
    UseMinimumTimerSlack();
    SleepUntilNs(MonotonicNowNs() + kPollPauseUs * kNsPerUs);
}

std::int64_t RealTimeClock::NowUs() const
{
    return MonotonicNowNs() / kNsPerUs;
}

} // namespace zav
