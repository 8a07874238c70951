#include "link/real_time_clock.h"

#include <chrono>
#include <thread>

namespace zav {

void RealTimeClock::SleepMs(int milliseconds)
{
    if (milliseconds > 0) std::this_thread::sleep_for(std::chrono::milliseconds(milliseconds));
}

std::int64_t RealTimeClock::NowUs() const
{
    const auto sinceStart = std::chrono::steady_clock::now().time_since_epoch();
    return std::chrono::duration_cast<std::chrono::microseconds>(sinceStart).count();
}

} // namespace zav
