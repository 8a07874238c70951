#include "ui/shell/shell_menus.h"

#include <QMenuBar>
#include <QToolBar>

#include "ui/buffer/hex_edit_window.h"
#include "ui/shell/compare_command.h"
#include "ui/shell/device_commands.h"
#include "ui/shell/editor_window_commands.h"
#include "ui/shell/file_commands.h"
#include "ui/shell/help_commands.h"
#include "ui/shell/prog_shell.h"
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

void BuildShellMenus(TProgShell& window)
{
    QMenuBar& bar = *window.menuBar();
    window.Files().FillMenu(*AddMenu(bar, QStringLiteral("&File"), "FileMenu"),
                            {window.Safety().RestoreBackupAction(), window.Compare().Action()});
    // Alt+E belongs to the hex editor, so the Edit menu opens with Alt+D.
    window.EditorWindows().FillEditMenu(*AddMenu(bar, QStringLiteral("E&dit"), "EditMenu"));

    QMenu* tools = AddMenu(bar, QStringLiteral("&Tools"), nullptr);
    tools->addAction(window.EditorWindows().EditorOptionsAction());
    tools->addAction(window.Device().PortsOptionsAction());
    tools->addAction(window.Safety().BlankCheckAction());
    tools->addSeparator();
    tools->addAction(window.StoredSettings().ResetAction());

    QMenu* windows = AddMenu(bar, QStringLiteral("&Window"), "WindowMenu");
    window.EditorWindows().AddWindowItems(*windows);
    windows->addAction(window.Safety().VerifyDifferencesAction());
    windows->addAction(window.HexEditor().ExtraAction(EditorExtraAction::DataInspector));

    window.Help().FillMenu(*AddMenu(bar, QStringLiteral("&Help"), nullptr));
    // Every menu item gets its underlined letter once all menus hold their items.
    GiveMenuBarMnemonics(bar);
}

QToolBar* BuildShellToolBar(TProgShell& window)
{
    QToolBar* toolBar = window.addToolBar(QStringLiteral("ToolBar1"));
    toolBar->setObjectName(QStringLiteral("ToolBar1"));
    toolBar->setMovable(false);
    toolBar->setIconSize(QSize(16, 16));
    toolBar->addAction(window.EditorWindows().ShowEditorAction());
    toolBar->addAction(window.HexEditor().Action(EditorAction::Property));
    toolBar->addSeparator();
    toolBar->addAction(window.Files().OpenAction());
    toolBar->addAction(window.Files().SaveAction());
    toolBar->addAction(window.Files().PrintAction());
    toolBar->addAction(window.Help().ManualAction());
    toolBar->addSeparator();
    for (EditorAction action :
         {EditorAction::Copy, EditorAction::Paste, EditorAction::Find, EditorAction::CopyAs,
          EditorAction::Fill, EditorAction::Undo, EditorAction::Swap, EditorAction::GoToAddr}) {
        toolBar->addAction(window.HexEditor().Action(action));
    }
    return toolBar;
}

} // namespace zav
