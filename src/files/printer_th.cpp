#include "files/printer_th.h"

#include <utility>

#include "files/print_host.h"
#include "files/print_sink.h"
#include "threads/hand_over_queue.h"

namespace zav {

int PrintFontSize(int bytesPerRow)
{
    return bytesPerRow == 32 ? 8 : 12;
}

std::vector<std::string> SplitPrintLines(std::string_view text)
{
    std::vector<std::string> lines;
    while (!text.empty()) {
        const std::size_t end = text.find("\r\n");
        if (end == std::string_view::npos) {
            lines.emplace_back(text);
            break;
        }
        lines.emplace_back(text.substr(0, end));
        text.remove_prefix(end + 2);
    }
    return lines;
}

printerTh::printerTh(PrintJobSettings settings, PrintSink& sink, std::shared_ptr<HandOverQueue> queue,
                     PrintHost& host)
    : settings_(settings), sink_(sink), queue_(std::move(queue)), host_(host)
{
}

printerTh::~printerTh()
{
    WaitFor();
}

void printerTh::Execute()
{
    SetResult(kUnfinished);
    if (!TerminationRequested()) PrintDump();
    // A failed print leaves the dialog open, so the user sees the job did not end well.
    if (Result() == kCompleted || TerminationRequested()) {
        queue_->PostPaced([&host = host_] { host.CloseDialog(); });
    }
}

void printerTh::PrintDump()
{
    PrintHost& host = host_;
    const PrintJobSettings settings = settings_;
    const std::vector<std::string> lines = SplitPrintLines(
        queue_->Call([&host, settings] { return host.BuildDump(settings.range, settings.bytesPerRow); }));
    sink_.SetFontSize(PrintFontSize(settings_.bytesPerRow));
    sink_.Clear();
    const int count = static_cast<int>(lines.size());
    queue_->PostPaced([&host, count] { host.SetProgressMaximum(count); });
    for (int i = 0; i < count; ++i) {
        if (TerminationRequested()) break;
        sink_.AppendLine(lines[static_cast<std::size_t>(i)]);
        queue_->PostPaced([&host, i] { host.SetProgressPosition(i); });
    }
    queue_->PostPaced([&host] { host.SetProgressPosition(0); });
    if (TerminationRequested()) return;
    std::string failure = sink_.Print();
    if (!failure.empty()) {
        queue_->PostPaced([&host, failure = std::move(failure)] {
            host.AddStatusMessage("Print failed : " + failure, StatusKind::Error);
        });
        return;
    }
    queue_->PostPaced([&host] { host.AddStatusMessage(kPrintCompleteLine, StatusKind::Normal); });
    SetResult(kCompleted);
}

} // namespace zav
