// The main window's commands beside those it was designed with: Recent Files, the editor's
// Redo, Replace, bookmarks and data inspector in the menus, the Start/Stop key, the message
// list's menu, files opened from the desktop and the commands a busy port disables.
#include <QAction>
#include <QMenuBar>
#include <QMimeData>
#include <QPushButton>
#include <QTabWidget>
#include <QToolButton>

#include "ui/buffer/file_drop_target.h"
#include "ui/buffer/hex_edit_window.h"
#include "files/open_file_dialog.h"
#include "ui/files/load_file_form.h"
#include "ui/sequences/gui_sequence_host.h"
#include "shell/interlocked_commands.h"
#include "shell/open_file_directly.h"
#include "ui/shell/message_list_menu.h"
#include "ui/shell/prog_shell.h"
#include "ui/shell/status_win.h"
#include "widgets/guarded_command.h"
#include "widgets/system_text.h"

namespace zav {

namespace {

constexpr std::size_t kRecentFilesShown = 5;

// Menus are found by their object names: their captions carry the keyboard mnemonics,
// which may change.
QMenu* MenuNamed(QMenuBar* bar, const char* objectName)
{
    return bar->findChild<QMenu*>(QString::fromLatin1(objectName), Qt::FindDirectChildrenOnly);
}

// The action after `action` in the menu, to insert before; null at the end.
QAction* ActionAfter(QMenu* menu, QAction* action)
{
    const QList<QAction*> actions = menu->actions();
    const auto index = actions.indexOf(action);
    return index >= 0 && index + 1 < actions.size() ? actions[index + 1] : nullptr;
}

} // namespace

void TProgShell::CreateExtras()
{
    const auto extra = [this](EditorExtraAction action) { return hexEdit_->ExtraAction(action); };

    if (QMenu* file = MenuNamed(menuBar(), "FileMenu")) {
        recentFiles_ = new QMenu(QStringLiteral("Recent Files"), file);
        recentFiles_->setObjectName(QStringLiteral("RecentFiles"));
        file->insertMenu(ActionAfter(file, editSaveFile_), recentFiles_);
        // A disabled submenu never shows, so its own aboutToShow cannot enable it: the File
        // menu brings it up to date instead.
        connect(file, &QMenu::aboutToShow, this, &TProgShell::FillRecentFilesMenu);
        connect(recentFiles_, &QMenu::aboutToShow, this, &TProgShell::FillRecentFilesMenu);
        connect(recentFiles_, &QMenu::triggered, this,
                Guarded(this, [this](QAction* entry) { OpenRecentFile(ToSystemPath(entry->data().toString())); }));
        FillRecentFilesMenu();
        CreateCompareCommand(*file, ActionAfter(file, restoreBackup_));
    }
    if (QMenu* edit = MenuNamed(menuBar(), "EditMenu")) {
        edit->insertAction(ActionAfter(edit, hexEdit_->Action(EditorAction::Undo)), extra(EditorExtraAction::Redo));
        edit->insertAction(ActionAfter(edit, hexEdit_->Action(EditorAction::SearchAgain)),
                           extra(EditorExtraAction::Replace));
        edit->addSeparator();
        edit->addAction(extra(EditorExtraAction::ToggleBookmark));
        edit->addAction(extra(EditorExtraAction::NextBookmark));
        edit->addAction(extra(EditorExtraAction::PreviousBookmark));
    }
    if (QMenu* window = MenuNamed(menuBar(), "WindowMenu")) {
        window->addAction(extra(EditorExtraAction::DataInspector));
    }

    // F9 as in the build-and-run keys of many programs; no other command uses it.
    startStop_ = new QAction(QStringLiteral("Start/Stop Sequence"), this);
    startStop_->setObjectName(QStringLiteral("StartStopSequence"));
    startStop_->setShortcut(QKeySequence(Qt::Key_F9));
    addAction(startStop_);
    connect(startStop_, &QAction::triggered, this, Guarded(this, [this] { StartStopVisibleSequence(); }));

    messageMenu_ = new MessageListMenu(*statusWin_, services_.boxes);

    // Queued: the load may ask about unsaved work, and a box must not hold the desktop's
    // drag and drop open until it is answered.
    const auto openDropped = Guarded(this, [this](const QString& path) { OpenFileFromDesktop(path); });
    connect(new FileDropTarget(*this), &FileDropTarget::FileDropped, this, openDropped, Qt::QueuedConnection);
    connect(hexEdit_, &THexEdit::FileDropped, this, openDropped, Qt::QueuedConnection);

    connect(sequenceHost_, &GuiSequenceHost::PortIdleChanged, this, &TProgShell::UpdateInterlockedCommands);
    for (QPushButton* start : {readStartButton_, programStartButton_}) {
        connect(start, &QPushButton::toggled, this, &TProgShell::UpdateInterlockedCommands);
    }
}

void TProgShell::FillRecentFilesMenu()
{
    if (recentFiles_ == nullptr) return;
    recentFiles_->clear();
    const std::vector<std::string>& files = flow_.Settings().program.RecentFiles;
    for (std::size_t index = 0; index < std::min(files.size(), kRecentFilesShown); ++index) {
        const QString path = FromSystemPath(files[index]);
        // A path may hold '&', which a menu would take for a mnemonic.
        QAction* entry = recentFiles_->addAction(
            QStringLiteral("&%1 %2").arg(index + 1).arg(QString(path).replace(QLatin1Char('&'), QStringLiteral("&&"))));
        entry->setData(path);
    }
    recentFiles_->setEnabled(!files.empty());
}

void TProgShell::OpenRecentFile(const std::string& path)
{
    if (!SettleUnsavedWork()) return;
    if (loadf_ == nullptr) {
        loadf_ = new TLoadf(hexEdit_->Buffer(), flow_.Settings().program, *statusWin_, services_.boxes, this);
    }
    loadf_->PresetPath(FromSystemPath(path));
    loadf_->exec();
    FillRecentFilesMenu();
}

void TProgShell::OpenFileFromDesktop(const QString& path)
{
    if (!SettleUnsavedWork()) return;
    OpenFileDirectly(ToSystemPath(path), hexEdit_->Buffer(), flow_.Settings().program, *statusWin_,
                     services_.boxes);
    hexEdit_->RepaintGrids();
    FillRecentFilesMenu();
}

void TProgShell::StartStopVisibleSequence()
{
    QPushButton* start = seqWin_->currentIndex() == 0 ? programStartButton_ : readStartButton_;
    // A disabled button does not react to a click: the interlock holds for the key as well.
    start->click();
}

void TProgShell::UpdateInterlockedCommands()
{
    const InterlockedCommands enabled =
        EnabledCommands(flow_.PortIdle(), readStartButton_->isChecked(), programStartButton_->isChecked());
    editPrint_->setEnabled(enabled.print);
    toolLpt_->setEnabled(enabled.portsOptions);
    deviceIdButton_->setEnabled(enabled.deviceId);
    readStartButton_->setEnabled(enabled.readStart);
    programStartButton_->setEnabled(enabled.programStart);
}

} // namespace zav
