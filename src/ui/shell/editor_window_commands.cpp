#include "ui/shell/editor_window_commands.h"

#include <QAction>
#include <QMenu>

#include <utility>

#include "ui/buffer/hex_edit_window.h"
#include "ui/shell/hex_editor_options_window.h"
#include "ui/shell/screen_placement.h"
#include "ui/shell/shell_command.h"
#include "ui/shell/themed_icon.h"

namespace zav {

EditorWindowCommands::EditorWindowCommands(QWidget& window, THexEdit& editor)
    : QObject(&window), window_(window), editor_(editor),
      showEditor_(NewShellCommand(window, "ShowEditor", QStringLiteral("Hex Editor"),
                                  "accessories-text-editor",
                                  QStringLiteral("Hexadecimal Editor window Show/Close"))),
      editorOptions_(NewShellCommand(window, "ToolEditor", QStringLiteral("Hex Editor Options ..."),
                                     "preferences-system",
                                     QStringLiteral("Change Hexadecimal Editor Settings")))
{
    showEditor_->setCheckable(true);
    showEditor_->setShortcut(QKeySequence(QStringLiteral("Alt+E")));
    // The same key closes the editor from within: the editor is a window of its own, where
    // the main window's keys do not reach.
    editor.addAction(showEditor_);
    OnTriggered(showEditor_, this, window, [this] { ShowEditorExecute(); });
    OnTriggered(editorOptions_, this, window, [this] { ToolEditorExecute(); });

    // The tool buttons and menu items follow the windows however they were shown or closed.
    connect(&editor, &THexEdit::HexEditOpen, this, [this] { showEditor_->setChecked(true); });
    connect(&editor, &THexEdit::HexEditClose, this, [this] { showEditor_->setChecked(false); });
    QAction* property = editor.Action(EditorAction::Property);
    property->setCheckable(true);
    connect(&editor, &THexEdit::DescriptionOpen, this, [property] { property->setChecked(true); });
    connect(&editor, &THexEdit::DescriptionClose, this, [property] { property->setChecked(false); });
    GiveToolBarIcons();
}

void EditorWindowCommands::FillEditMenu(QMenu& edit) const
{
    const auto add = [this, &edit](std::initializer_list<EditorAction> actions) {
        edit.addSeparator();
        for (EditorAction action : actions) edit.addAction(editor_.Action(action));
    };
    edit.addAction(editor_.Action(EditorAction::Undo));
    edit.addAction(editor_.ExtraAction(EditorExtraAction::Redo));
    add({EditorAction::Copy, EditorAction::Paste, EditorAction::SelectAll});
    add({EditorAction::Find, EditorAction::SearchAgain});
    edit.addAction(editor_.ExtraAction(EditorExtraAction::Replace));
    add({EditorAction::GoToAddr, EditorAction::CopyAs, EditorAction::Fill, EditorAction::Swap});
    edit.addSeparator();
    edit.addAction(editor_.Differences().NextAction());
    edit.addAction(editor_.Differences().PreviousAction());
    edit.addSeparator();
    for (EditorExtraAction action : {EditorExtraAction::ToggleBookmark, EditorExtraAction::NextBookmark,
                                     EditorExtraAction::PreviousBookmark}) {
        edit.addAction(editor_.ExtraAction(action));
    }
}

void EditorWindowCommands::AddWindowItems(QMenu& windowMenu)
{
    windowMenu.addAction(showEditor_);
    QAction* description = windowMenu.addAction(QStringLiteral("Description"));
    description->setObjectName(QStringLiteral("WindowDescription"));
    QAction* property = editor_.Action(EditorAction::Property);
    description->setCheckable(true);
    description->setStatusTip(property->statusTip());
    connect(property, &QAction::changed, description, [description, property] {
        description->setChecked(property->isChecked());
        description->setEnabled(property->isEnabled());
    });
    connect(description, &QAction::triggered, property, [property] { property->trigger(); });
}

void EditorWindowCommands::ShowEditorExecute()
{
    if (editor_.isVisible()) {
        editor_.close();
    } else {
        editor_.show();
        editor_.raise();
    }
    showEditor_->setChecked(editor_.isVisible());
}

void EditorWindowCommands::ToolEditorExecute()
{
    const bool shownForDialog = !editor_.isVisible();
    if (shownForDialog) editor_.show();
    if (hoptions_ == nullptr) hoptions_ = new THoptions(editor_, &window_);
    CentreOnDesktop(*hoptions_);
    hoptions_->exec();
    if (shownForDialog) editor_.close();
}

void EditorWindowCommands::GiveToolBarIcons() const
{
    const std::pair<EditorAction, const char*> icons[] = {
        {EditorAction::Property, "document-properties"},
        {EditorAction::Copy, "edit-copy"},
        {EditorAction::Paste, "edit-paste"},
        {EditorAction::Find, "edit-find"},
        {EditorAction::CopyAs, "document-export"},
        {EditorAction::Fill, "color-fill"},
        {EditorAction::Undo, "edit-undo"},
        {EditorAction::Swap, "object-flip-horizontal"},
    };
    for (const auto& [action, icon] : icons) {
        if (editor_.Action(action)->icon().isNull()) editor_.Action(action)->setIcon(ThemedIcon(icon));
    }
    // The desktops' "go-jump" is a bent arrow that reads as Redo beside Undo; ours points
    // at a row of the dump.
    QAction* goTo = editor_.Action(EditorAction::GoToAddr);
    if (goTo->icon().isNull()) goTo->setIcon(OwnIcon("zav-go-to-address.svg"));
}

} // namespace zav
