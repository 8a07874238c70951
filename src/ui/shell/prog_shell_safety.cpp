// The main window's commands around writing a part safely: the blank check, restoring a
// backup, the verify's differences, and the backup the program sequence takes.

#include <QAction>
#include <QFileDialog>
#include <QPushButton>

#include <filesystem>
#include <memory>
#include <system_error>

#include "ui/buffer/hex_edit_window.h"
#include "ui/buffer/verify_differences_window.h"
#include "files/backup_folder.h"
#include "files/open_file_dialog.h"
#include "ui/sequences/sequence_runner.h"
#include "shell/app_settings.h"
#include "ui/shell/prog_shell.h"
#include "ui/shell/status_win.h"
#include "widgets/system_text.h"

namespace zav {

namespace {

QString ChooseBackup(QWidget* parent, const QString& folder)
{
    return QFileDialog::getOpenFileName(parent, QStringLiteral("Restore Backup"), folder,
                                        QStringLiteral("ZAV Extended Format (*.zef);;All (*)"));
}

} // namespace

void TProgShell::CreateSafetyActions()
{
    blankCheck_ = CreateAction("ToolBlankCheck", QStringLiteral("Blank Check"), nullptr,
                               QStringLiteral("Read the part and tell whether every EEPROM cell is erased (0xFF)"));
    restoreBackup_ = CreateAction("EditRestoreBackup", QStringLiteral("Restore Backup ..."), nullptr,
                                  QStringLiteral("Load a backup taken before a write into the buffer"));
    showVerifyDifferences_ =
        CreateAction("WindowVerifyDifferences", QStringLiteral("Verify Differences"), nullptr,
                     QStringLiteral("The cells the last verify found different, with the device's values"));
    ConnectCommand(blankCheck_, &TProgShell::BlankCheckExecute);
    ConnectCommand(restoreBackup_, &TProgShell::RestoreBackupExecute);
    ConnectCommand(showVerifyDifferences_, &TProgShell::VerifyDifferencesExecute);
    backupChooser_ = ChooseBackup;
}

void TProgShell::BlankCheckExecute()
{
    // The blank check reads as the read sequence does: it takes the Read Start button, so the
    // port interlock refuses it while another sequence runs and releasing the button stops it.
    const StartButtonPlan plan = flow_.ProgramStartButtonClick(true);
    if (!plan.start) {
        AddStatusMessage("Blank Check: the port is busy with another sequence.", StatusKind::Warning);
        return;
    }
    {
        const QSignalBlocker quiet(readStartButton_);
        readStartButton_->setChecked(true);
    }
    sequences_->StartBlankCheck();
}

void TProgShell::RestoreBackupExecute()
{
    if (!SettleUnsavedWork()) return;
    const std::filesystem::path folder = DefaultBackupFolder();
    std::error_code ignored;
    std::filesystem::create_directories(folder, ignored);
    const QString chosen = backupChooser_(this, FromSystemPath(folder.string()));
    if (chosen.isEmpty()) return;
    OpenFileDialog open;
    if (!open.ChoosePath(ToSystemPath(chosen), services_.boxes)) return;
    if (open.Ok(hexEdit_->Buffer(), *statusWin_, services_.boxes) != OpenResult::Loaded) return;
    flow_.FileOpened(open.Path());
    FillRecentFilesMenu();
    AddStatusMessage("The backup is in the buffer: program it to restore the part.", StatusKind::Normal);
}

void TProgShell::VerifyDifferencesExecute()
{
    if (verifyDifferences_ == nullptr) verifyDifferences_ = new TVerifyDifferences(*hexEdit_, this);
    verifyDifferences_->show();
    verifyDifferences_->raise();
    verifyDifferences_->activateWindow();
}

void TProgShell::ApplyBackupSetting()
{
    sequences_->SetBackupStore(flow_.Settings().program.backupBeforeWrite
                                   ? std::make_shared<BackupFolder>(DefaultBackupFolder())
                                   : nullptr);
}

} // namespace zav
