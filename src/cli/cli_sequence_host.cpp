#include "cli/cli_sequence_host.h"

#include <utility>

#include "cli/console_reporter.h"
#include "cli/progress_bar.h"

namespace zav {

CliSequenceHost::CliSequenceHost(ConsoleReporter& reporter, ProgressBar& progress, MemoryBuffer& buffer,
                                 std::string deviceName, ProgramSettings portSettings,
                                 std::set<SequenceOption> optionsDown)
    : BufferSequenceHost(buffer), reporter_(reporter), progress_(progress), deviceName_(std::move(deviceName)),
      portSettings_(std::move(portSettings)), optionsDown_(std::move(optionsDown))
{
}

void CliSequenceHost::AddStatusMessage(const std::string& text, StatusKind kind)
{
    if (reporting_) reporter_.AddStatusMessage(text, kind);
}

void CliSequenceHost::SetProgressMaximum(int maximum)
{
    progress_.Begin("", maximum, true);
}

void CliSequenceHost::SetProgressPosition(int position)
{
    progressPosition_ = position;
    if (reporting_) progress_.Move(position);
}

BoxAnswer CliSequenceHost::Show(const BoxRequest& request)
{
    const BoxAnswer answer = reporter_.Show(request);
    if (afterBox_) afterBox_();
    return answer;
}

void CliSequenceHost::Beep()
{
    reporter_.Beep();
}

} // namespace zav
