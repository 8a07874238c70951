#include "cli/console_sequence_host.h"

#include "cli/progress_bar.h"

namespace zav {

ConsoleSequenceHost::ConsoleSequenceHost(ConsoleReporter& reporter, ProgressBar& progress,
                                         MemoryBuffer& buffer, std::string deviceName,
                                         ProgramSettings portSettings, std::set<SequenceOption> optionsDown)
    : BufferSequenceHost(buffer), reporter_(reporter), progress_(progress),
      deviceName_(std::move(deviceName)), portSettings_(std::move(portSettings)),
      optionsDown_(std::move(optionsDown))
{
}

void ConsoleSequenceHost::SetProgressMaximum(int maximum)
{
    progress_.Begin("", maximum, true);
}

BoxAnswer ConsoleSequenceHost::AfterBox(BoxAnswer answer)
{
    if (afterBox_) afterBox_();
    return answer;
}

} // namespace zav
