#include "link/link_context.h"

namespace zav {

namespace {

std::atomic<bool> neverStop{false};

// Whole seconds when the wait was whole seconds (as --timeout gives it), else milliseconds.
std::string DurationText(std::int64_t waitedUs)
{
    const std::int64_t ms = waitedUs / 1000;
    if (ms % 1000 == 0) return std::to_string(ms / 1000) + " s";
    return std::to_string(ms) + " ms";
}

} // namespace

LinkContext::LinkContext(Clock* clock) : clock_(clock != nullptr ? clock : &realTime_), stopRequest_(&neverStop)
{
}

void LinkContext::SettleUnlessStopped(int milliseconds)
{
    if (clock_->SleepMsUnlessStopped(milliseconds, *stopRequest_)) lastError = kNotReady;
}

void LinkContext::NeverReady(std::string_view line, std::int64_t waitedUs)
{
    timedOut_ = true;
    // The deadline is checked between polls: the wait ran over the limit by up to one pause.
    const std::int64_t limitUs = waitLimitMs_ > 0 ? waitLimitMs_ * 1000 : waitedUs;
    lastError =
        "Programmer Not Ready: no ready signal on " + std::string(line) + " within " + DurationText(limitUs) + ".";
}

void LinkContext::PauseBetweenPolls(std::int64_t waitedUs)
{
    clock_->PauseBetweenPolls();
    if (waitedUs >= 1'000'000 && clock_ != &realTime_) realTime_.SleepMs(1);
}

} // namespace zav
