#include "ui/shell/shell_menus.h"

#include <QMainWindow>
#include <QMenuBar>
#include <QToolBar>

#include "ui/buffer/hex_edit_window.h"
#include "ui/shell/compare_command.h"
#include "ui/shell/device_commands.h"
#include "ui/shell/editor_window_commands.h"
#include "ui/shell/file_commands.h"
#include "ui/shell/help_commands.h"
#include "ui/shell/safety_commands.h"
#include "ui/shell/shell_settings.h"
#include "widgets/menu_keys.h"

namespace zav {

namespace {

// Menus are named for tests and tools: their captions carry the keyboard mnemonics, which
// may change.
QMenu* AddMenu(QMenuBar& bar, const QString& caption, const char* objectName)
{
    QMenu* menu = bar.addMenu(caption);
    if (objectName != nullptr) menu->setObjectName(QString::fromLatin1(objectName));
    return menu;
}

} // namespace

void BuildShellMenus(QMainWindow& window, const ShellCommandOwners& owners)
{
    QMenuBar& bar = *window.menuBar();
    owners.files.FillMenu(*AddMenu(bar, QStringLiteral("&File"), "FileMenu"),
                          {owners.safety.RestoreBackupAction(), owners.compare.Action()});
    // Alt+E belongs to the hex editor, so the Edit menu opens with Alt+D.
    owners.editorWindows.FillEditMenu(*AddMenu(bar, QStringLiteral("E&dit"), "EditMenu"));

    QMenu* tools = AddMenu(bar, QStringLiteral("&Tools"), nullptr);
    tools->addAction(owners.editorWindows.EditorOptionsAction());
    tools->addAction(owners.device.PortsOptionsAction());
    tools->addAction(owners.safety.BlankCheckAction());
    tools->addSeparator();
    tools->addAction(owners.settings.ResetAction());

    QMenu* windows = AddMenu(bar, QStringLiteral("&Window"), "WindowMenu");
    owners.editorWindows.AddWindowItems(*windows);
    windows->addAction(owners.safety.VerifyDifferencesAction());
    windows->addAction(owners.editor.ExtraAction(EditorExtraAction::DataInspector));

    owners.help.FillMenu(*AddMenu(bar, QStringLiteral("&Help"), nullptr));
    // Every menu item gets its underlined letter once all menus hold their items.
    GiveMenuBarMnemonics(bar);
}

QToolBar* BuildShellToolBar(QMainWindow& window, const ShellCommandOwners& owners)
{
    QToolBar* toolBar = window.addToolBar(QStringLiteral("ToolBar1"));
    toolBar->setObjectName(QStringLiteral("ToolBar1"));
    toolBar->setMovable(false);
    toolBar->setIconSize(QSize(16, 16));
    toolBar->addAction(owners.editorWindows.ShowEditorAction());
    toolBar->addAction(owners.editor.Action(EditorAction::Property));
    toolBar->addSeparator();
    toolBar->addAction(owners.files.OpenAction());
    toolBar->addAction(owners.files.SaveAction());
    toolBar->addAction(owners.files.PrintAction());
    toolBar->addAction(owners.help.ManualAction());
    toolBar->addSeparator();
    for (EditorAction action : {EditorAction::Copy, EditorAction::Paste, EditorAction::Find, EditorAction::CopyAs,
                                EditorAction::Fill, EditorAction::Undo, EditorAction::Swap, EditorAction::GoToAddr}) {
        toolBar->addAction(owners.editor.Action(action));
    }
    return toolBar;
}

} // namespace zav
