#pragma once

#include <functional>
#include <set>
#include <string>
#include <utility>

#include "sequences/buffer_sequence_host.h"

namespace zav {

class ConsoleReporter;
class MemoryBuffer;
class ProgressBar;

// The main window as a sequence sees it, for a run from the command line: the option buttons
// are the ones given on the command line, the device field holds the chosen name, and every
// line and box goes to the console, and the progress bar to a terminal's bar. The Start
// button has no display here.
// Runs on the thread that drains the hand-over queue, as a window would.
class CliSequenceHost final : public BufferSequenceHost {
public:
    CliSequenceHost(ConsoleReporter& reporter, ProgressBar& progress, MemoryBuffer& buffer,
                    std::string deviceName, ProgramSettings portSettings, std::set<SequenceOption> optionsDown);

    void AddStatusMessage(const std::string& text, StatusKind kind) override;
    BoxAnswer Show(const BoxRequest& request) override;
    bool PortIdle() override { return portIdle_; }
    void SetPortIdle(bool idle) override { portIdle_ = idle; }
    void SetProgressMaximum(int maximum) override;
    void SetProgressPosition(int position) override;
    int ProgressPosition() override { return progressPosition_; }
    void PutStartButtonUp(SequenceKind) override {}
    bool IsOptionDown(SequenceOption option) override { return optionsDown_.count(option) != 0; }
    std::string DeviceIdText() override { return deviceName_; }
    ProgramSettings GetProgramSettings() override { return portSettings_; }
    void Beep() override;
    void SetVerifyDifferences(const std::vector<CellDifference>& differences) override
    {
        verifyDifferences_ = differences;
    }
    [[nodiscard]] const std::vector<CellDifference>& VerifyDifferences() const { return verifyDifferences_; }

    // Once the tool has taken the sequence's outcome, later lines (a controller releasing a
    // worker that ended by itself) are no longer part of it and are not printed.
    void StopReporting() { reporting_ = false; }
    // Runs after each box is answered and before the answer reaches the worker: where a
    // Ctrl-C at a question becomes the worker's stop request in time.
    void SetAfterBox(std::function<void()> afterBox) { afterBox_ = std::move(afterBox); }

private:
    ConsoleReporter& reporter_;
    ProgressBar& progress_;
    std::string deviceName_;
    ProgramSettings portSettings_;
    std::set<SequenceOption> optionsDown_;
    bool portIdle_ = true;
    int progressPosition_ = 0;
    bool reporting_ = true;
    std::function<void()> afterBox_;
    std::vector<CellDifference> verifyDifferences_;
};

} // namespace zav
