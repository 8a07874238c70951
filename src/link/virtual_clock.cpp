#include "link/virtual_clock.h"

namespace zav {

void VirtualClock::SleepMs(int milliseconds)
{
    if (milliseconds <= 0) return;
    sleptMs_ += milliseconds;
    nowUs_ += std::int64_t{milliseconds} * 1000;
}

void VirtualClock::AdvanceUs(std::int64_t microseconds)
{
    if (microseconds > 0) nowUs_ += microseconds;
}

} // namespace zav
