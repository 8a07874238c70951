#include "cli/console_reporter.h"

#include <string_view>

#include "cli/progress_bar.h"
#include "cli/terminal.h"

namespace zav {

namespace {

std::string_view Prefix(StatusKind kind)
{
    switch (kind) {
    case StatusKind::Warning:
        return "warning: ";
    case StatusKind::Error:
        return "error: ";
    case StatusKind::Normal:
        break;
    }
    return "";
}

StatusKind KindOfBox(BoxKind kind)
{
    switch (kind) {
    case BoxKind::Error:
        return StatusKind::Error;
    case BoxKind::Warning:
        return StatusKind::Warning;
    case BoxKind::Information:
    case BoxKind::Confirmation:
        break;
    }
    return StatusKind::Normal;
}

bool IsYes(const std::string& answer)
{
    return answer == "y" || answer == "Y" || answer == "yes" || answer == "Yes" || answer == "YES";
}

} // namespace

ConsoleReporter::ConsoleReporter(std::ostream& output, Terminal& terminal, const ReportingOptions& options)
    : output_(output), terminal_(terminal), options_(options)
{
}

void ConsoleReporter::AddStatusMessage(const std::string& text, StatusKind kind)
{
    PrintLines(text, kind, false);
}

BoxAnswer ConsoleReporter::Show(const BoxRequest& request)
{
    PrintLines(request.text, KindOfBox(request.kind), true);
    if (request.buttons != BoxButtons::Ok) return Ask(request);
    // An OK box that is not an error asks the user to do something (take out a jumper)
    // before the work goes on.
    if (request.kind != BoxKind::Error) ConfirmInstruction(request);
    return BoxAnswer::Ok;
}

void ConsoleReporter::Beep()
{
    if (terminal_.IsInteractive()) terminal_.Write("\a");
}

BoxAnswer ConsoleReporter::Ask(const BoxRequest& request)
{
    const BoxAnswer no = request.buttons == BoxButtons::YesNoCancel ? BoxAnswer::Cancel : BoxAnswer::No;
    if (options_.assumeYes) {
        PrintLines("Answered Yes (--yes).", StatusKind::Normal, true);
        return BoxAnswer::Yes;
    }
    if (!terminal_.IsInteractive()) {
        NobodyToAnswer("answer this question");
        return no;
    }
    ShowOnTerminal(request);
    terminal_.Write("Yes or No? [y/N] ");
    const auto answer = terminal_.ReadLine();
    if (!answer) terminal_.Write("\n");
    return answer && IsYes(*answer) ? BoxAnswer::Yes : no;
}

void ConsoleReporter::ConfirmInstruction(const BoxRequest& request)
{
    if (options_.assumeYes) {
        PrintLines("Carried on (--yes).", StatusKind::Normal, true);
        return;
    }
    if (!terminal_.IsInteractive()) {
        NobodyToAnswer("do what this box asks");
        return;
    }
    ShowOnTerminal(request);
    terminal_.Write("Press Enter to continue: ");
    if (!terminal_.ReadLine()) terminal_.Write("\n");
}

void ConsoleReporter::ShowOnTerminal(const BoxRequest& request)
{
    if (options_.progress != nullptr) options_.progress->Hide();
    if (!terminal_.ShowsErrorOutput()) terminal_.Write(request.text + "\n");
}

void ConsoleReporter::NobodyToAnswer(const char* what)
{
    PrintLines(std::string("nobody at a terminal to ") + what + " (--yes answers for you); stopping",
               StatusKind::Error, true);
    if (onUnanswered_) onUnanswered_();
}

void ConsoleReporter::PrintLines(const std::string& text, StatusKind kind, bool evenWhenQuiet)
{
    if (kind == StatusKind::Error) errorSeen_ = true;
    if (kind == StatusKind::Normal && options_.quiet && !evenWhenQuiet) return;
    if (options_.progress != nullptr) options_.progress->Hide();
    const std::string_view prefix = Prefix(kind);
    std::string_view rest = text;
    bool printed = false;
    while (!rest.empty() || !printed) {
        const std::size_t end = rest.find_first_of("\r\n");
        const std::string_view line = rest.substr(0, end);
        rest = end == std::string_view::npos ? std::string_view{} : rest.substr(end + 1);
        if (line.empty() && printed) continue;
        output_ << prefix << line << '\n';
        printed = true;
    }
    output_ << std::flush;
    if (options_.progress != nullptr) options_.progress->Show();
}

} // namespace zav
