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

// The main window as a sequence sees it on the command line, where a single run and a run of
// many parts agree: the option buttons are the ones given on the command line, the device
// field holds the chosen name, progress goes to a terminal's bar and the Start button has no
// display. Lines and boxes are each host's own.
class ConsoleSequenceHost : public BufferSequenceHost {
public:
    ConsoleSequenceHost(ConsoleReporter& reporter, ProgressBar& progress, MemoryBuffer& buffer,
                        std::string deviceName, ProgramSettings portSettings,
                        std::set<SequenceOption> optionsDown);

    bool PortIdle() override { return portIdle_; }
    void SetPortIdle(bool idle) override { portIdle_ = idle; }
    void SetProgressMaximum(int maximum) override;
    int ProgressPosition() override { return progressPosition_; }
    void PutStartButtonUp(SequenceKind) override {}
    bool IsOptionDown(SequenceOption option) override { return optionsDown_.count(option) != 0; }
    std::string DeviceIdText() override { return deviceName_; }
    ProgramSettings GetProgramSettings() override { return portSettings_; }

    // Runs after each box is answered and before the answer reaches the worker: where a
    // Ctrl-C at a question becomes the worker's stop request in time.
    void SetAfterBox(std::function<void()> afterBox) { afterBox_ = std::move(afterBox); }

protected:
    // Calls the after-box hook, if one is set, and hands the answer on.
    BoxAnswer AfterBox(BoxAnswer answer);

    ConsoleReporter& reporter_;
    ProgressBar& progress_;
    int progressPosition_ = 0;

private:
    std::string deviceName_;
    ProgramSettings portSettings_;
    std::set<SequenceOption> optionsDown_;
    bool portIdle_ = true;
    std::function<void()> afterBox_;
};

} // namespace zav
