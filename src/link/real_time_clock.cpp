#include "link/real_time_clock.h"

#include <sys/prctl.h>
#include <time.h>

#include <algorithm>
#include <cerrno>

namespace zav {

namespace {

std::int64_t MonotonicNowUs()
{
    timespec now{};
    clock_gettime(CLOCK_MONOTONIC, &now);
    return std::int64_t{now.tv_sec} * 1'000'000 + now.tv_nsec / 1000;
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

void SleepUntilUs(std::int64_t wakeUs)
{
    const timespec wake{static_cast<time_t>(wakeUs / 1'000'000), static_cast<long>(wakeUs % 1'000'000) * 1000};
    // A signal handled meanwhile ends the sleep early: sleeping on to the same time loses
    // nothing.
    while (clock_nanosleep(CLOCK_MONOTONIC, TIMER_ABSTIME, &wake, nullptr) == EINTR) {
    }
}

// Sleeps to the margin before `deadlineUs`, then spins to it.
void WaitUntilUs(std::int64_t deadlineUs)
{
    UseMinimumTimerSlack();
    const std::int64_t nowUs = MonotonicNowUs();
    const std::int64_t wakeUs = deadlineUs - wakeUpMargin.MarginUs(deadlineUs - nowUs);
    if (wakeUs > nowUs) {
        SleepUntilUs(wakeUs);
        wakeUpMargin.Observe(MonotonicNowUs() - wakeUs);
    }
    while (MonotonicNowUs() < deadlineUs) {
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
    WaitUntilUs(MonotonicNowUs() + std::int64_t{milliseconds} * 1000);
}

bool RealTimeClock::SleepMsUnlessStopped(int milliseconds, const std::atomic<bool>& stop)
{
    const std::int64_t deadlineUs = MonotonicNowUs() + std::int64_t{std::max(milliseconds, 0)} * 1000;
    while (!stop.load()) {
        const std::int64_t nowUs = MonotonicNowUs();
        if (nowUs >= deadlineUs) return false;
        WaitUntilUs(std::min(deadlineUs, nowUs + std::int64_t{kStopCheckMs} * 1000));
    }
    return true;
}

void RealTimeClock::PauseBetweenPolls()
{
    UseMinimumTimerSlack();
    SleepUntilUs(MonotonicNowUs() + kPollPauseUs);
}

std::int64_t RealTimeClock::NowUs() const
{
    return MonotonicNowUs();
}

} // namespace zav
