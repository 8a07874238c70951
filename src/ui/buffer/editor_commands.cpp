#include "ui/buffer/editor_commands.h"

#include <QAction>
#include <QMenu>

#include "ui/buffer/hex_edit_window.h"
#include "widgets/menu_keys.h"

namespace zav {

EditorCommands::EditorCommands(THexEdit& editor)
    : history_(editor, table_), clipboard_(editor, table_), find_(editor, table_), bookmarks_(editor, table_),
      dialogs_(editor, table_)
{
    CreatePopupMenu(editor);
}

QAction* EditorCommands::Action(EditorAction action) const
{
    return table_.actions[static_cast<std::size_t>(action)];
}

QAction* EditorCommands::ExtraAction(EditorExtraAction action) const
{
    return table_.extras[static_cast<std::size_t>(action)];
}

void EditorCommands::SetLive(bool live)
{
    history_.SetLive(live);
    clipboard_.SetLive(live);
    find_.SetLive(live);
    bookmarks_.SetLive(live);
    dialogs_.SetLive(live);
}

void EditorCommands::SetExtrasLive(bool live)
{
    history_.SetRedoLive(live);
    find_.SetReplaceLive(live);
    bookmarks_.SetLive(live);
}

void EditorCommands::CreatePopupMenu(THexEdit& editor)
{
    popupMenu_ = new QMenu(&editor);
    popupMenu_->setObjectName(QStringLiteral("PopupMenu1"));
    // An item whose text or shortcut differs from its action's: a menu-only action that
    // follows the action's enabled state and runs it.
    const auto ownItem = [this, &editor](EditorAction target, const QString& text,
                                         const QKeySequence& shortcut) {
        QAction* action = Action(target);
        auto* item = new QAction(text, popupMenu_);
        item->setShortcut(shortcut);
        item->setStatusTip(action->statusTip());
        item->setEnabled(action->isEnabled());
        QObject::connect(action, &QAction::enabledChanged, item, &QAction::setEnabled);
        QObject::connect(item, &QAction::triggered, action, &QAction::trigger);
        // The item's own shortcut works anywhere in the editor, not only while the menu is open;
        // one that only shows the action's key leaves it to the action (two would cancel out).
        if (!shortcut.isEmpty() && shortcut != action->shortcut()) editor.addAction(item);
        return item;
    };
    QAction* find =
        ownItem(EditorAction::Find, QStringLiteral("Find ..."), Action(EditorAction::Find)->shortcut());
    QAction* copyAs = ownItem(EditorAction::CopyAs, QStringLiteral("Copy As"), {});
    QAction* fill = ownItem(EditorAction::Fill, QStringLiteral("Fill"),
                            QKeySequence(QKeyCombination(Qt::ControlModifier, Qt::Key_F)));
    // A null entry stands for a separator.
    const std::initializer_list<QAction*> entries{Action(EditorAction::Undo),
                                                  ExtraAction(EditorExtraAction::Redo),
                                                  nullptr,
                                                  Action(EditorAction::Copy),
                                                  Action(EditorAction::Paste),
                                                  Action(EditorAction::SelectAll),
                                                  nullptr,
                                                  find,
                                                  Action(EditorAction::SearchAgain),
                                                  nullptr,
                                                  Action(EditorAction::GoToAddr),
                                                  copyAs,
                                                  fill,
                                                  Action(EditorAction::Swap)};
    for (QAction* entry : entries) {
        if (entry == nullptr) {
            popupMenu_->addSeparator();
        } else {
            popupMenu_->addAction(entry);
        }
    }
    GiveMenuMnemonics(*popupMenu_);
}

} // namespace zav
