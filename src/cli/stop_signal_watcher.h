#pragma once

#include <atomic>
#include <functional>
#include <thread>

namespace zav {

// Turns Ctrl-C (SIGINT), SIGTERM and SIGHUP into the user's Stop while a sequence runs: the signals
// are blocked in every thread started after construction and taken by one watching thread,
// which sets the flag and calls onStop, so the sequence can end as the Stop button ends it
// and release its port before the tool exits. The signals stay blocked after destruction;
// one arriving after the sequence is over is discarded when the tool exits.
class StopSignalWatcher {
public:
    explicit StopSignalWatcher(std::function<void()> onStop);
    StopSignalWatcher(const StopSignalWatcher&) = delete;
    StopSignalWatcher& operator=(const StopSignalWatcher&) = delete;
    ~StopSignalWatcher();

    [[nodiscard]] bool StopRequested() const { return stopRequested_.load(); }
    [[nodiscard]] const std::atomic<bool>& Flag() const { return stopRequested_; }
    // The first stop signal that came (SIGINT, SIGTERM or SIGHUP); 0 before one did.
    [[nodiscard]] int Signal() const { return signal_.load(); }
    // How a message names that signal: "Ctrl-C", "SIGTERM" or "SIGHUP".
    [[nodiscard]] const char* SignalName() const;

private:
    void Watch();

    std::function<void()> onStop_;
    std::atomic<bool> stopRequested_{false};
    std::atomic<int> signal_{0};
    std::atomic<bool> ending_{false};
    std::thread thread_;
};

} // namespace zav
