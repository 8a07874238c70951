#include "ui/shell/compare_command.h"

#include <QAction>

#include "buffer/memory_buffer.h"
#include "files/file_comparison.h"
#include "shell/main_window_flow.h"
#include "ui/buffer/hex_edit_window.h"
#include "ui/shell/shell_command.h"
#include "ui/shell/status_win.h"
#include "widgets/system_text.h"

namespace zav {

CompareCommand::CompareCommand(const ShellCore& core, std::function<void()> showDifferences)
    : QObject(&core.window), core_(core), showDifferences_(std::move(showDifferences)),
      action_(NewShellCommand(
          core.window, "FileCompareWithFile", QStringLiteral("Compare With File ..."), nullptr,
          QStringLiteral("Mark the cells where the buffer differs from a file, without loading the file")))
{
    OnTriggered(action_, this, core.window, [this] { CompareWithFileExecute(); });
}

void CompareCommand::CompareWithFileExecute()
{
    const std::optional<ChosenFile> chosen = chooser_(&core_.window);
    if (!chosen) return;
    const std::string path = ToSystemPath(chosen->path);
    const std::string& device = core_.flow.DeviceName();
    const std::optional<ComparedFile> file = LoadFileToCompare(path, device, core_.status, core_.boxes);
    if (!file) return;
    // Only the cells the file holds say anything about the buffer; the device's layout limits
    // them as it limits a load.
    const std::vector<CellDifference> differences = CompareImages(
        {core_.editor.Buffer(), file->given}, {*file->buffer, file->given}, ComparedRanges(device));
    core_.editor.Differences().SetFile(differences, path);
    core_.status.AddStatusMessage(DifferenceSummary(differences),
                                  differences.empty() ? StatusKind::Normal : StatusKind::Warning);
    if (!differences.empty()) showDifferences_();
}

} // namespace zav
