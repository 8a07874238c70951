#pragma once

#include <ostream>

#include "messages/message_boxes.h"
#include "messages/status_sink.h"

namespace zav {

class Terminal;

// Status lines and message boxes as lines of text on the error output: Normal as they
// stand, Warning after "warning: ", Error after "error: ", boxes by their kind the same
// way. Questions are answered Yes with `assumeYes`, otherwise asked on a terminal and
// answered No where nobody can be asked; instruction boxes wait for Enter on a terminal.
class ConsoleReporter final : public StatusSink, public MessageBoxes {
public:
    ConsoleReporter(std::ostream& output, Terminal& terminal, bool assumeYes);
    ConsoleReporter(const ConsoleReporter&) = delete;
    ConsoleReporter& operator=(const ConsoleReporter&) = delete;

    void AddStatusMessage(const std::string& text, StatusKind kind) override;
    BoxAnswer Show(const BoxRequest& request) override;
    // The bell, only where someone hears it.
    void Beep();

    // Whether an Error line (or error box) was printed: the work then did not complete.
    [[nodiscard]] bool ErrorSeen() const { return errorSeen_; }

private:
    void PrintLines(const std::string& text, StatusKind kind);
    [[nodiscard]] BoxAnswer Ask(const BoxRequest& request);

    std::ostream& output_;
    Terminal& terminal_;
    bool assumeYes_;
    bool errorSeen_ = false;
};

} // namespace zav
