#include "ui/shell/file_commands.h"

#include <QAction>
#include <QDialog>
#include <QMenu>
#include <QWidget>

#include "messages/message_boxes.h"
#include "shell/main_window_flow.h"
#include "shell/open_file_directly.h"
#include "ui/buffer/file_drop_target.h"
#include "ui/buffer/hex_edit_window.h"
#include "ui/files/load_file_form.h"
#include "ui/files/save_file_form.h"
#include "ui/shell/document_windows.h"
#include "ui/shell/recent_files_submenu.h"
#include "ui/shell/shell_command.h"
#include "ui/shell/status_win.h"
#include "widgets/system_text.h"

namespace zav {

FileCommands::FileCommands(const ShellCore& core, QProgressBar& progress)
    : QObject(&core.window), core_(core), progress_(progress),
      open_(NewShellCommand(core.window, "EditOpenFile", QStringLiteral("Open"), "document-open",
                            QStringLiteral("Open an Existing File"))),
      save_(NewShellCommand(core.window, "EditSaveFile", QStringLiteral("Save"), "document-save",
                            QStringLiteral("Save Current File"))),
      print_(NewShellCommand(core.window, "EditPrint", QStringLiteral("Print"), "document-print",
                             QStringLiteral("Print memory dump"))),
      exit_(NewShellCommand(core.window, "EditExit", QStringLiteral("Exit"), "application-exit",
                            QStringLiteral("Exit program")))
{
    open_->setShortcuts({QKeySequence(Qt::Key_F3), QKeySequence(QStringLiteral("Ctrl+O"))});
    save_->setShortcuts({QKeySequence(Qt::Key_F2), QKeySequence(QStringLiteral("Ctrl+S"))});
    print_->setShortcut(QKeySequence(QStringLiteral("Ctrl+P")));
    exit_->setShortcuts({QKeySequence(QStringLiteral("Alt+X")), QKeySequence(QStringLiteral("Ctrl+Q"))});
    QWidget& window = core.window;
    OnTriggered(open_, this, window, [this] { EditOpenFileExecute(); });
    OnTriggered(save_, this, window, [this] { EditSaveFileExecute(); });
    OnTriggered(print_, this, window, [this] { EditPrintExecute(); });
    OnTriggered(exit_, this, window, [this] { core_.window.close(); });

    // Queued: the load may ask about unsaved work, and a box must not hold the desktop's
    // drag and drop open until it is answered.
    const auto openDropped = Guarded(&window, [this](const QString& path) { OpenFileFromDesktop(path); });
    connect(new FileDropTarget(window), &FileDropTarget::FileDropped, this, openDropped,
            Qt::QueuedConnection);
    connect(&core.editor, &THexEdit::FileDropped, this, openDropped, Qt::QueuedConnection);
}

FileCommands::~FileCommands() = default;

void FileCommands::FillMenu(QMenu& file, std::initializer_list<QAction*> others)
{
    file.addAction(open_);
    file.addAction(save_);
    recentFiles_ = new RecentFilesSubmenu(file, core_.flow.Settings().program, this);
    connect(recentFiles_, &RecentFilesSubmenu::FileChosen, this,
            Guarded(&core_.window, [this](const std::string& path) { OpenRecentFile(path); }));
    file.addMenu(recentFiles_->Menu());
    for (QAction* other : others) file.addAction(other);
    file.addSeparator();
    file.addAction(print_);
    file.addSeparator();
    file.addAction(exit_);
}

QMenu* FileCommands::RecentFilesMenu() const
{
    return recentFiles_ != nullptr ? recentFiles_->Menu() : nullptr;
}

void FileCommands::ShowRecentFiles()
{
    if (recentFiles_ != nullptr) recentFiles_->Fill();
}

void FileCommands::EditOpenFileExecute()
{
    OpenFile();
}

void FileCommands::EditSaveFileExecute()
{
    core_.flow.SaveDialogClosed(SaveFile());
}

void FileCommands::EditPrintExecute()
{
    if (!core_.flow.Allows(PortCommand::Print)) return;
    PrintBuffer();
}

bool FileCommands::SettleUnsavedWork()
{
    return core_.flow.SettleUnsavedWork(core_.editor.IsUndoEmpty(), core_.boxes,
                                        [this] { return SaveFile(); });
}

TLoadf& FileCommands::LoadDialog()
{
    if (loadf_ == nullptr)
        loadf_ = new TLoadf(core_.editor.Buffer(), core_.flow.Settings().program, core_.status, core_.boxes,
                            &core_.window);
    return *loadf_;
}

void FileCommands::OpenFile()
{
    if (!SettleUnsavedWork()) return;
    LoadDialog().exec();
    ShowRecentFiles();
}

void FileCommands::OpenRecentFile(const std::string& path)
{
    if (!SettleUnsavedWork()) return;
    TLoadf& dialog = LoadDialog();
    dialog.PresetPath(FromSystemPath(path));
    dialog.exec();
    ShowRecentFiles();
}

void FileCommands::OpenFileFromDesktop(const QString& path)
{
    if (!SettleUnsavedWork()) return;
    OpenFileDirectly(ToSystemPath(path), core_.editor.Buffer(), core_.flow.Settings().program, core_.status,
                     core_.boxes);
    core_.editor.RepaintGrids();
    ShowRecentFiles();
}

bool FileCommands::SaveFile()
{
    if (savef_ == nullptr)
        savef_ = new TSavef(core_.editor.Buffer(), core_.status, core_.boxes, &core_.window);
    return savef_->exec() == QDialog::Accepted;
}

void FileCommands::PrintBuffer()
{
    if (!printd_) {
        std::string failure;
        DocumentWindows* windows = LoadDocumentWindows(failure);
        if (windows == nullptr) {
            core_.boxes.ShowError("Printing is not available: " + failure);
            return;
        }
        printd_ = windows->MakePrintDialog(core_.editor.Buffer(), core_.status, progress_, core_.boxes,
                                           &core_.window);
    }
    printd_->exec();
}

} // namespace zav
