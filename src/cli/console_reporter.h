#pragma once

#include <functional>
#include <ostream>

#include "messages/message_boxes.h"
#include "messages/status_sink.h"

namespace zav {

class ProgressBar;
class Terminal;

// How a console run reports: questions answered Yes up front, Normal lines dropped, the bar.
struct ReportingOptions {
    bool assumeYes = false;
    bool quiet = false;
    ProgressBar* progress = nullptr;
};

// Status lines and message boxes as lines of text on the error output: Normal as they
// stand (none with `quiet`), Warning after "warning: ", Error after "error: ", boxes by
// their kind the same way. Questions are answered Yes with `assumeYes`, otherwise asked on
// the controlling terminal; instruction boxes (take out a jumper) wait for Enter there. A box
// that nobody can answer is answered No and reported as an error, and the run is told to
// stop: work never carries on past a box nobody saw.
class ConsoleReporter final : public StatusSink, public MessageBoxes {
public:
    ConsoleReporter(std::ostream& output, Terminal& terminal, const ReportingOptions& options = {});
    ConsoleReporter(const ConsoleReporter&) = delete;
    ConsoleReporter& operator=(const ConsoleReporter&) = delete;

    void AddStatusMessage(const std::string& text, StatusKind kind) override;
    // A Normal line printed even with `quiet`: what nobody may miss (a simulated board).
    void AddNotice(const std::string& text) { PrintLines(text, StatusKind::Normal, true); }
    BoxAnswer Show(const BoxRequest& request) override;
    // The bell, only where someone hears it.
    void Beep();
    // What to do when a box finds nobody to answer it (stop the running sequence).
    void OnUnanswered(std::function<void()> stop) { onUnanswered_ = std::move(stop); }

    // Whether an Error line (or error box) was printed: the work then did not complete.
    [[nodiscard]] bool ErrorSeen() const { return errorSeen_; }

private:
    void PrintLines(const std::string& text, StatusKind kind, bool evenWhenQuiet);
    [[nodiscard]] BoxAnswer Ask(const BoxRequest& request);
    void ConfirmInstruction(const BoxRequest& request);
    // The box's text on the terminal too, when the error output goes elsewhere.
    void ShowOnTerminal(const BoxRequest& request);
    void NobodyToAnswer(const char* what);

    std::ostream& output_;
    Terminal& terminal_;
    ReportingOptions options_;
    bool errorSeen_ = false;
    std::function<void()> onUnanswered_;
};

} // namespace zav
