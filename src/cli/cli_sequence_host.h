#pragma once

#include <string>
#include <vector>

#include "cli/console_sequence_host.h"

namespace zav {

class ConsoleReporter;
class MemoryBuffer;
class ProgressBar;

// The main window as a sequence sees it, for a run from the command line: the option buttons
// are the ones given on the command line, the device field holds the chosen name, and every
// line and box goes to the console, and the progress bar to a terminal's bar. The Start
// button has no display here.
// Runs on the thread that drains the hand-over queue, as a window would.
class CliSequenceHost final : public ConsoleSequenceHost {
public:
    using ConsoleSequenceHost::ConsoleSequenceHost;

    void AddStatusMessage(const std::string& text, StatusKind kind) override;
    BoxAnswer Show(const BoxRequest& request) override;
    void SetProgressPosition(int position) override;
    void Beep() override;
    void SetVerifyDifferences(const std::vector<CellDifference>& differences) override
    {
        verifyDifferences_ = differences;
    }
    [[nodiscard]] const std::vector<CellDifference>& VerifyDifferences() const { return verifyDifferences_; }

    // Once the tool has taken the sequence's outcome, later lines (a controller releasing a
    // worker that ended by itself) are no longer part of it and are not printed.
    void StopReporting() { reporting_ = false; }

private:
    bool reporting_ = true;
    std::vector<CellDifference> verifyDifferences_;
};

} // namespace zav
