#include "cli/cli_sequence_host.h"

#include "cli/console_reporter.h"
#include "cli/progress_bar.h"

namespace zav {

void CliSequenceHost::AddStatusMessage(const std::string& text, StatusKind kind)
{
    if (reporting_) reporter_.AddStatusMessage(text, kind);
}

void CliSequenceHost::SetProgressPosition(int position)
{
    progressPosition_ = position;
    if (reporting_) progress_.Move(position);
}

BoxAnswer CliSequenceHost::Show(const BoxRequest& request)
{
    return AfterBox(reporter_.Show(request));
}

void CliSequenceHost::Beep()
{
    reporter_.Beep();
}

} // namespace zav
