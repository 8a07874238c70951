#pragma once

#include "cli/terminal.h"

namespace zav {

// The tool's standard input and error output as the terminal questions are asked on.
// A wait for an answer ends early, without one, when the stop flag is set.
class StdinTerminal final : public Terminal {
public:
    StdinTerminal();
    [[nodiscard]] bool IsInteractive() const override { return interactive_; }
    [[nodiscard]] std::optional<std::string> ReadLine() override;
    void SetStopFlag(const std::atomic<bool>* stop) override { stop_ = stop; }

private:
    bool interactive_;
    const std::atomic<bool>* stop_ = nullptr;
};

} // namespace zav
