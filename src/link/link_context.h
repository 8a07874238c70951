#pragma once

#include <atomic>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

#include "link/board_commands.h"
#include "link/clock.h"
#include "link/real_time_clock.h"

namespace zav {

// What the link and its two board protocols share: the clock every wait goes through, the
// worker's stop request, the limit on a single ready wait and the error text of the last
// operation. Owned by the link; the protocols hold a reference to it.
class LinkContext {
public:
    static constexpr const char* kNotReady = "Programmer Not Ready.";
    static constexpr const char* kCommunicationError = "Communication Error.";

    // `clock` null means real time.
    explicit LinkContext(Clock* clock);

    void SetStopRequest(const std::atomic<bool>& stopRequest) { stopRequest_ = &stopRequest; }
    [[nodiscard]] bool StopRequested() const { return stopRequest_->load(std::memory_order_acquire); }
    [[nodiscard]] const std::atomic<bool>& StopRequest() const { return *stopRequest_; }
    // 0: a ready wait lasts until the board is ready or the user stops.
    void SetWaitLimitMs(std::int64_t milliseconds) { waitLimitMs_ = milliseconds; }
    [[nodiscard]] Clock& Time() { return *clock_; }

    void Sleep(int milliseconds) { clock_->SleepMs(milliseconds); }
    // A wait during which nothing is driven, cut short by a stop request (then "Programmer
    // Not Ready."), so a stop does not sit out a reset of up to 1.5 s.
    void SettleUnlessStopped(int milliseconds);

    // Plays a reset: its waits here, its line changes through `drive`.
    template <typename Drive>
    void PlayReset(ResetWaveform waveform, Drive drive)
    {
        for (const ResetStep& step : waveform) {
            if (step.action == ResetAction::Wait) {
                Sleep(step.value);
            } else if (step.action == ResetAction::Settle) {
                SettleUnlessStopped(step.value);
            } else {
                drive(step);
            }
        }
    }

    // Polls `holds` until it is true (true, error cleared), the stop request is set (false,
    // "Programmer Not Ready.") or the deadline on the clock passes (false, TimedOut, an error
    // naming `line`). Without a deadline the wait limit, if any, sets one. The first polls
    // follow each other at once, since a board is usually busy for microseconds only; after
    // that the clock pauses between polls (a millisecond; a tenth on real time), and once
    // the wait has lasted a second of the clock's time also a real millisecond, so a silent
    // board costs no CPU even when the clock is virtual.
    template <typename Condition>
    bool WaitUntilReady(Condition holds, std::string_view line, std::optional<std::int64_t> deadlineUs)
    {
        timedOut_ = false;
        const std::int64_t startUs = clock_->NowUs();
        if (!deadlineUs && waitLimitMs_ > 0) deadlineUs = startUs + waitLimitMs_ * 1000;
        for (int polls = 0; !StopRequested(); ++polls) {
            if (holds()) {
                lastError.clear();
                return true;
            }
            const std::int64_t nowUs = clock_->NowUs();
            if (deadlineUs && nowUs >= *deadlineUs) {
                NeverReady(line, nowUs - startUs);
                return false;
            }
            if (polls >= kPollsWithoutSleep) PauseBetweenPolls(nowUs - startUs);
        }
        lastError = kNotReady;
        return false;
    }
    // Whether the last ready wait ended at its deadline.
    [[nodiscard]] bool TimedOut() const { return timedOut_; }

    std::string lastError;

private:
    static constexpr int kPollsWithoutSleep = 256;

    void NeverReady(std::string_view line, std::int64_t waitedUs);
    void PauseBetweenPolls(std::int64_t waitedUs);

    RealTimeClock realTime_;
    Clock* clock_;
    const std::atomic<bool>* stopRequest_;
    std::int64_t waitLimitMs_ = 0;
    bool timedOut_ = false;
};

} // namespace zav
