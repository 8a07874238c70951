#pragma once

#include "cli/terminal.h"

namespace zav {

// The process's controlling terminal (/dev/tty), where questions are asked even when the
// standard streams are redirected to files or pipes, as ssh and sudo ask for passwords. A
// process without one (started by cron, a CI job, setsid) has nobody to ask. A wait for an
// answer ends early, without one, when the stop flag is set.
class ControllingTerminal final : public Terminal {
public:
    ControllingTerminal();
    ControllingTerminal(const ControllingTerminal&) = delete;
    ControllingTerminal& operator=(const ControllingTerminal&) = delete;
    ~ControllingTerminal() override;

    [[nodiscard]] bool IsInteractive() const override { return fd_ >= 0; }
    [[nodiscard]] bool ShowsErrorOutput() const override { return showsErrorOutput_; }
    void Write(const std::string& text) override;
    [[nodiscard]] std::optional<std::string> ReadLine() override;
    void SetStopFlag(const std::atomic<bool>* stop) override { stop_ = stop; }

private:
    int fd_ = -1;
    bool showsErrorOutput_ = false;
    const std::atomic<bool>* stop_ = nullptr;
};

} // namespace zav
