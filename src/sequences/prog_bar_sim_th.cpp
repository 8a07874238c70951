#include "sequences/prog_bar_sim_th.h"

#include <utility>

#include "sequences/sequence_host.h"

namespace zav {

namespace {
constexpr int kSimulationMaximum = 100;
constexpr int kIntervalUnitMs = 10;
} // namespace

ProgBarSimTh::ProgBarSimTh(SequenceHost& host, int stepInterval, StepWait stepWait)
    : host_(host), stepInterval_(stepInterval), stepWait_(std::move(stepWait))
{
    Start();
}

ProgBarSimTh::~ProgBarSimTh()
{
    // It runs until told to stop: waiting without telling it would wait forever.
    RequestTermination();
    WaitFor();
}

void ProgBarSimTh::Stop()
{
    RequestTermination();
    WaitFor();
}

void ProgBarSimTh::Execute()
{
    host_.SetProgressMaximum(kSimulationMaximum);
    const std::chrono::milliseconds interval(stepInterval_ * kIntervalUnitMs);
    do {
        const int position = host_.ProgressPosition();
        host_.SetProgressPosition(position >= kSimulationMaximum ? 0 : position + 1);
        if (stepWait_) {
            stepWait_(interval);
        } else {
            WaitForTermination(interval);
        }
    } while (!TerminationRequested());
    host_.SetProgressPosition(0);
}

} // namespace zav
