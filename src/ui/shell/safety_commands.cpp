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

SafetyCommands::SafetyCommands(QWidget& window, THexEdit& editor, MainWindowFlow& flow, StatusWin& status,
                               MessageBoxes& boxes, FileCommands& files, SequenceCommands& sequences)
    : QObject(&window),
      window_(window),
      editor_(editor),
      flow_(flow),
      status_(status),
      boxes_(boxes),
      files_(files),
      sequences_(sequences),
      blankCheck_(NewShellCommand(window, "ToolBlankCheck", QStringLiteral("Blank Check"), nullptr,
                                  QStringLiteral("Read the part and tell whether every EEPROM cell is erased (0xFF)"))),
      restoreBackup_(NewShellCommand(window, "EditRestoreBackup", QStringLiteral("Restore Backup ..."), nullptr,
                                     QStringLiteral("Load a backup taken before a write into the buffer"))),
      showVerifyDifferences_(NewShellCommand(
          window, "WindowVerifyDifferences", QStringLiteral("Verify Differences"), nullptr,
          QStringLiteral("The cells the last verify found different, with the device's values"))),
      backupChooser_(ChooseBackup)
{
    OnTriggered(blankCheck_, this, window, [this] { BlankCheckExecute(); });
    OnTriggered(restoreBackup_, this, window, [this] { RestoreBackupExecute(); });
    OnTriggered(showVerifyDifferences_, this, window, [this] { VerifyDifferencesExecute(); });
}

void SafetyCommands::BlankCheckExecute()
{
    if (!sequences_.StartBlankCheck()) {
        status_.AddStatusMessage("Blank Check: the port is busy with another sequence.", StatusKind::Warning);
    }
}

void SafetyCommands::RestoreBackupExecute()
{
    if (!files_.SettleUnsavedWork()) return;
    const std::filesystem::path folder = DefaultBackupFolder();
    std::error_code ignored;
    std::filesystem::create_directories(folder, ignored);
    const QString chosen = backupChooser_(&window_, FromSystemPath(folder.string()));
    if (chosen.isEmpty()) return;
    OpenFileDialog open;
    if (!open.ChoosePath(ToSystemPath(chosen), boxes_)) return;
    if (open.Ok(editor_.Buffer(), status_, boxes_) != OpenResult::Loaded) return;
    flow_.FileOpened(open.Path());
    files_.ShowRecentFiles();
    status_.AddStatusMessage("The backup is in the buffer: program it to restore the part.", StatusKind::Normal);
}

void SafetyCommands::VerifyDifferencesExecute()
{
    if (verifyDifferences_ == nullptr) verifyDifferences_ = new TVerifyDifferences(editor_, &window_);
    verifyDifferences_->show();
    verifyDifferences_->raise();
    verifyDifferences_->activateWindow();
}

} // namespace zav
