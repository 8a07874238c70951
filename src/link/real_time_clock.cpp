#include "link/real_time_clock.h"

#include <algorithm>
#include <chrono>
#include <thread>

namespace zav {

void RealTimeClock::SleepMs(int milliseconds)
{
    if (milliseconds > 0) std::this_thread::sleep_for(std::chrono::milliseconds(milliseconds));
}

bool RealTimeClock::SleepMsUnlessStopped(int milliseconds, const std::atomic<bool>& stop)
{
    const auto end = std::chrono::steady_clock::now() + std::chrono::milliseconds(milliseconds);
    while (!stop.load()) {
        const auto left = end - std::chrono::steady_clock::now();
        if (left <= std::chrono::steady_clock::duration::zero()) return false;
        std::this_thread::sleep_for(std::min<std::chrono::steady_clock::duration>(
            left, std::chrono::milliseconds(kStopCheckMs)));
    }
    return true;
}

std::int64_t RealTimeClock::NowUs() const
{
    const auto sinceStart = std::chrono::steady_clock::now().time_since_epoch();
    return std::chrono::duration_cast<std::chrono::microseconds>(sinceStart).count();
}

} // namespace zav
