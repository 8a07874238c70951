#include "cli/stop_signal_watcher.h"

#include <csignal>
#include <ctime>
#include <utility>

#include <pthread.h>

namespace zav {

namespace {

sigset_t StopSignals()
{
    sigset_t signals;
    sigemptyset(&signals);
    sigaddset(&signals, SIGINT);
    sigaddset(&signals, SIGTERM);
    // A closed terminal or a dropped ssh session: the user is gone, so the run stops and
    // gives the port back like any stop.
    sigaddset(&signals, SIGHUP);
    return signals;
}

} // namespace

StopSignalWatcher::StopSignalWatcher(std::function<void()> onStop) : onStop_(std::move(onStop))
{
    const sigset_t signals = StopSignals();
    pthread_sigmask(SIG_BLOCK, &signals, nullptr);
    thread_ = std::thread([this] { Watch(); });
}

StopSignalWatcher::~StopSignalWatcher()
{
    ending_.store(true);
    thread_.join();
}

const char* StopSignalWatcher::SignalName() const
{
    switch (signal_.load()) {
    case SIGINT:
        return "Ctrl-C";
    case SIGHUP:
        return "SIGHUP";
    default:
        return "SIGTERM";
    }
}

void StopSignalWatcher::Watch()
{
    const sigset_t signals = StopSignals();
    // Wakes up now and then to see whether the sequence is over.
    const timespec interval{0, 50'000'000};
    while (!ending_.load()) {
        const int signal = sigtimedwait(&signals, nullptr, &interval);
        if (signal != SIGINT && signal != SIGTERM && signal != SIGHUP) continue;
        int none = 0;
        signal_.compare_exchange_strong(none, signal);
        stopRequested_.store(true);
        if (onStop_) onStop_();
    }
}

} // namespace zav
