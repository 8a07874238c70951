#include "cli/console_reporter.h"

#include <string_view>

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

ConsoleReporter::ConsoleReporter(std::ostream& output, Terminal& terminal, bool assumeYes)
    : output_(output), terminal_(terminal), assumeYes_(assumeYes)
{
}

void ConsoleReporter::AddStatusMessage(const std::string& text, StatusKind kind)
{
    PrintLines(text, kind);
}

BoxAnswer ConsoleReporter::Show(const BoxRequest& request)
{
    PrintLines(request.text, KindOfBox(request.kind));
    if (request.buttons != BoxButtons::Ok) return Ask(request);
    // An OK box that is not an error asks the user to do something (take out a jumper)
    // before the work goes on.
    if (request.kind != BoxKind::Error && terminal_.IsInteractive()) {
        output_ << "Press Enter to continue: " << std::flush;
        (void)terminal_.ReadLine();
    }
    return BoxAnswer::Ok;
}

void ConsoleReporter::Beep()
{
    if (terminal_.IsInteractive()) output_ << '\a' << std::flush;
}

BoxAnswer ConsoleReporter::Ask(const BoxRequest& request)
{
    if (assumeYes_) {
        output_ << "Answered Yes (--yes).\n" << std::flush;
        return BoxAnswer::Yes;
    }
    if (!terminal_.IsInteractive()) {
        output_ << "Answered No: nobody to ask (--yes answers Yes).\n" << std::flush;
        return request.buttons == BoxButtons::YesNoCancel ? BoxAnswer::Cancel : BoxAnswer::No;
    }
    output_ << "Yes or No? [y/N] " << std::flush;
    const auto answer = terminal_.ReadLine();
    if (!answer) output_ << '\n';
    return answer && IsYes(*answer) ? BoxAnswer::Yes : BoxAnswer::No;
}

void ConsoleReporter::PrintLines(const std::string& text, StatusKind kind)
{
    if (kind == StatusKind::Error) errorSeen_ = true;
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
}

} // namespace zav
