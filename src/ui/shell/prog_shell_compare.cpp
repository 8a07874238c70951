// File > Compare With File: a file loaded beside the buffer, never into it, and the cells
// where the two differ marked as a verify marks them.

#include <QAction>
#include <QMenu>

#include "buffer/memory_buffer.h"
#include "ui/buffer/hex_edit_window.h"
#include "files/file_comparison.h"
#include "ui/shell/prog_shell.h"
#include "ui/shell/status_win.h"
#include "widgets/system_text.h"

namespace zav {

void TProgShell::CreateCompareCommand(QMenu& file, QAction* before)
{
    compareWithFile_ = CreateAction(
        "FileCompareWithFile", QStringLiteral("Compare With File ..."), nullptr,
        QStringLiteral("Mark the cells where the buffer differs from a file, without loading the file"));
    ConnectCommand(compareWithFile_, &TProgShell::CompareWithFileExecute);
    file.insertAction(before, compareWithFile_);
    compareChooser_ = ChooseBufferFileToOpen;
}

void TProgShell::CompareWithFileExecute()
{
    const std::optional<ChosenFile> chosen = compareChooser_(this);
    if (!chosen) return;
    const std::string path = ToSystemPath(chosen->path);
    const std::string& device = flow_.DeviceName();
    const std::optional<ComparedFile> file = LoadFileToCompare(path, device, *statusWin_, services_.boxes);
    if (!file) return;
    // Only the cells the file holds say anything about the buffer; the device's layout limits
    // them as it limits a load.
    const std::vector<CellDifference> differences = CompareImages(
        {hexEdit_->Buffer(), file->given}, {*file->buffer, file->given}, ComparedRanges(device));
    hexEdit_->SetFileDifferences(differences, path);
    AddStatusMessage(DifferenceSummary(differences),
                     differences.empty() ? StatusKind::Normal : StatusKind::Warning);
    if (!differences.empty()) VerifyDifferencesExecute();
}

} // namespace zav
