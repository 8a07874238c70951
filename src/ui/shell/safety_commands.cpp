#include "ui/shell/safety_commands.h"

#include <QAction>
#include <QFileDialog>

#include <filesystem>
#include <system_error>

#include "files/backup_folder.h"
#include "files/open_file_dialog.h"
#include "shell/main_window_flow.h"
#include "ui/buffer/hex_edit_window.h"
#include "ui/buffer/verify_differences_window.h"
#include "ui/shell/file_commands.h"
#include "ui/shell/sequence_commands.h"
#include "ui/shell/shell_command.h"
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

SafetyCommands::SafetyCommands(const ShellCore& core, FileCommands& files, SequenceCommands& sequences)
    : QObject(&core.window), core_(core), files_(files), sequences_(sequences),
      blankCheck_(NewShellCommand(
          core.window, "ToolBlankCheck", QStringLiteral("Blank Check"), nullptr,
          QStringLiteral("Read the part and tell whether every EEPROM cell is erased (0xFF)"))),
      restoreBackup_(NewShellCommand(core.window, "EditRestoreBackup", QStringLiteral("Restore Backup ..."),
                                     nullptr,
                                     QStringLiteral("Load a backup taken before a write into the buffer"))),
      showVerifyDifferences_(NewShellCommand(
          core.window, "WindowVerifyDifferences", QStringLiteral("Verify Differences"), nullptr,
          QStringLiteral("The cells the last verify found different, with the device's values"))),
      backupChooser_(ChooseBackup)
{
    OnTriggered(blankCheck_, this, core.window, [this] { BlankCheckExecute(); });
    OnTriggered(restoreBackup_, this, core.window, [this] { RestoreBackupExecute(); });
    OnTriggered(showVerifyDifferences_, this, core.window, [this] { VerifyDifferencesExecute(); });
}

void SafetyCommands::BlankCheckExecute()
{
    if (!sequences_.StartBlankCheck()) {
        core_.status.AddStatusMessage("Blank Check: the port is busy with another sequence.",
                                      StatusKind::Warning);
    }
}

void SafetyCommands::RestoreBackupExecute()
{
    if (!files_.SettleUnsavedWork()) return;
    const std::filesystem::path folder = DefaultBackupFolder();
    std::error_code ignored;
    std::filesystem::create_directories(folder, ignored);
    const QString chosen = backupChooser_(&core_.window, FromSystemPath(folder.string()));
    if (chosen.isEmpty()) return;
    OpenFileDialog open;
    if (!open.ChoosePath(ToSystemPath(chosen), core_.boxes)) return;
    if (open.Ok(core_.editor.Buffer(), core_.status, core_.boxes) != OpenResult::Loaded) return;
    core_.flow.FileOpened(open.Path());
    files_.ShowRecentFiles();
    core_.status.AddStatusMessage("The backup is in the buffer: program it to restore the part.",
                                  StatusKind::Normal);
}

void SafetyCommands::VerifyDifferencesExecute()
{
    if (verifyDifferences_ == nullptr)
        verifyDifferences_ = new TVerifyDifferences(core_.editor, &core_.window);
    verifyDifferences_->show();
    verifyDifferences_->raise();
    verifyDifferences_->activateWindow();
}

} // namespace zav
