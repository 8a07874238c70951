// The editor's commands: its eleven actions, the context menu and the clipboard.
#include <QAction>
#include <QApplication>
#include <QClipboard>
#include <QMenu>

#include "buffer/memory_buffer.h"
#include "ui/buffer/editor_dialogs.h"
#include "ui/buffer/explaine_window.h"
#include "ui/buffer/hex_edit_window.h"
#include "operations/clipboard_text.h"
#include "operations/paste_text.h"
#include "widgets/busy_cursor.h"
#include "widgets/menu_keys.h"

namespace zav {

namespace {

struct ActionText {
    const char* name;
    const char* caption;
    QKeyCombination shortcut;
    const char* hint;
};

// In the order of the editor's action list.
const std::array<ActionText, kEditorActionCount> kActionTexts{{
    {"EditUndo", "Undo", QKeyCombination(Qt::AltModifier, Qt::Key_Backspace), "Undo the last action"},
    {"EditCopy", "Copy", QKeyCombination(Qt::ControlModifier, Qt::Key_Insert),
     "Copy selected memory cells to clipboard"},
    {"EditPaste", "Paste", QKeyCombination(Qt::ShiftModifier, Qt::Key_Insert), "Paste contents of clipboard"},
    {"EditSelectAll", "Select All", QKeyCombination(Qt::ControlModifier, Qt::Key_A), "Select all memory cell"},
    {"EditFill", "Fill", QKeyCombination(), "Fill memory cells with the value"},
    {"EditCopyAs", "Copy As ...", QKeyCombination(), "Copy selected memory cells to clipboard with conversion"},
    // Ctrl+F is Fill; Ctrl+Shift+F is free here and on the desktops.
    {"EditFind", "Find", QKeyCombination(Qt::ControlModifier | Qt::ShiftModifier, Qt::Key_F),
     "Find cell in memory dump"},
    {"EditSearchAgain", "Search Again", QKeyCombination(Qt::ControlModifier, Qt::Key_L),
     "Search again cell in memory dump"},
    {"EditProperty", "Property", QKeyCombination(), "Description window Show/Close"},
    {"EditGoToAddr", "Go To Address", QKeyCombination(Qt::ControlModifier, Qt::Key_G),
     "Go to address in memory dump"},
    {"EditSwap", "Swap", QKeyCombination(), "Swap memory cells"},
}};

} // namespace

QAction* THexEdit::Action(EditorAction action) const
{
    return actions_[static_cast<std::size_t>(action)];
}

void THexEdit::CreateActions()
{
    using Handler = void (THexEdit::*)();
    const std::array<Handler, kEditorActionCount> handlers{
        &THexEdit::EditUndoExecute,      &THexEdit::EditCopyExecute,     &THexEdit::EditPasteExecute,
        &THexEdit::EditSelectAllExecute, &THexEdit::EditFillExecute,     &THexEdit::EditCopyAsExecute,
        &THexEdit::EditFindExecute,      &THexEdit::EditSearchAgainExecute, &THexEdit::EditPropertyExecute,
        &THexEdit::EditGoToAddrExecute,  &THexEdit::EditSwapExecute,
    };
    for (std::size_t index = 0; index < actions_.size(); ++index) {
        const ActionText& text = kActionTexts[index];
        auto* action = new QAction(QString::fromLatin1(text.caption), this);
        action->setObjectName(QString::fromLatin1(text.name));
        if (text.shortcut != QKeyCombination()) action->setShortcut(QKeySequence(text.shortcut));
        action->setToolTip(QString::fromLatin1(text.hint));
        action->setStatusTip(QString::fromLatin1(text.hint));
        connect(action, &QAction::triggered, this, handlers[index]);
        addAction(action);
        actions_[index] = action;
    }
}

void THexEdit::CreatePopupMenu()
{
    popupMenu_ = new QMenu(this);
    popupMenu_->setObjectName(QStringLiteral("PopupMenu1"));
    // An item whose text or shortcut differs from its action's: a menu-only action that
    // follows the action's enabled state and runs it.
    const auto addItem = [this](EditorAction target, const QString& text, const QKeySequence& shortcut) {
        QAction* action = Action(target);
        auto* item = new QAction(text, popupMenu_);
        item->setShortcut(shortcut);
        item->setStatusTip(action->statusTip());
        item->setEnabled(action->isEnabled());
        connect(action, &QAction::enabledChanged, item, &QAction::setEnabled);
        connect(item, &QAction::triggered, action, &QAction::trigger);
        popupMenu_->addAction(item);
        // The item's own shortcut works anywhere in the editor, not only while the menu is open;
        // one that only shows the action's key leaves it to the action (two would cancel out).
        if (!shortcut.isEmpty() && shortcut != action->shortcut()) addAction(item);
    };
    popupMenu_->addAction(Action(EditorAction::Undo));
    popupMenu_->addAction(ExtraAction(EditorExtraAction::Redo));
    popupMenu_->addSeparator();
    popupMenu_->addAction(Action(EditorAction::Copy));
    popupMenu_->addAction(Action(EditorAction::Paste));
    popupMenu_->addAction(Action(EditorAction::SelectAll));
    popupMenu_->addSeparator();
    addItem(EditorAction::Find, QStringLiteral("Find ..."), Action(EditorAction::Find)->shortcut());
    popupMenu_->addAction(Action(EditorAction::SearchAgain));
    popupMenu_->addSeparator();
    popupMenu_->addAction(Action(EditorAction::GoToAddr));
    addItem(EditorAction::CopyAs, QStringLiteral("Copy As"), {});
    addItem(EditorAction::Fill, QStringLiteral("Fill"), QKeySequence(QKeyCombination(Qt::ControlModifier, Qt::Key_F)));
    popupMenu_->addAction(Action(EditorAction::Swap));
    GiveMenuMnemonics(*popupMenu_);
}

void THexEdit::SetEditActionsEnabled(bool enabled)
{
    for (const EditorAction action : {EditorAction::Copy, EditorAction::SelectAll, EditorAction::Fill,
                                      EditorAction::CopyAs, EditorAction::Find, EditorAction::GoToAddr,
                                      EditorAction::Swap}) {
        Action(action)->setEnabled(enabled);
    }
    Action(EditorAction::Undo)->setEnabled(enabled && !IsUndoEmpty());
    Action(EditorAction::Paste)->setEnabled(enabled && !QApplication::clipboard()->text().isEmpty());
    Action(EditorAction::SearchAgain)->setEnabled(enabled && dialogs_->FindDialogExists());
    SetExtraActionsEnabled(enabled);
}

void THexEdit::EditUndoExecute()
{
    if (!IsUndoEmpty()) ReplayHistoryStep([this] { return buffer_->Undo().Undo(); });
    RepaintGrids();
}

void THexEdit::ReplayHistoryStep(const std::function<std::int32_t()>& step)
{
    const BusyCursor busy;
    std::int32_t address = 0;
    {
        const MemoryBuffer::ChangeBatch batch(*buffer_);
        address = step();
    }
    SelectAddress(address);
}

void THexEdit::EditCopyExecute()
{
    if (!HasSelection()) {
        dialogs_->ShowCopyRange(CursorAddress());
        return;
    }
    const BusyCursor busy;
    const std::optional<std::string> text = SelectionClipboardText(*buffer_, CurrentSelection(), boxes_);
    if (text) {
        QApplication::clipboard()->setText(
            QString::fromLatin1(text->data(), static_cast<qsizetype>(text->size())));
    }
}

void THexEdit::EditPasteExecute()
{
    {
        const BusyCursor busy;
        // Only as much of the text as a paste can use is converted.
        const QByteArray text =
            QApplication::clipboard()->text().left(static_cast<qsizetype>(kPasteTextLimit)).toLatin1();
        const PasteResult result =
            PasteText(*buffer_, std::string_view(text.constData(), static_cast<std::size_t>(text.size())),
                      CursorAddress());
        if (result.nextAddress) SelectAddress(*result.nextAddress);
    }
    RepaintGrids();
}

void THexEdit::EditSelectAllExecute()
{
    cursor_.SelectAll();
    CursorMoved();
}

// The dialogs are shown with the normal cursor: a modal dialog under the busy cursor would
// look as if it could not be used.
void THexEdit::EditFillExecute()
{
    dialogs_->ShowFill(CursorAddress(), HasSelection());
    RepaintGrids();
}

void THexEdit::EditCopyAsExecute()
{
    dialogs_->ShowCopyAs(CursorAddress(), HasSelection());
}

void THexEdit::EditFindExecute()
{
    dialogs_->ShowFind(CursorAddress());
    Action(EditorAction::SearchAgain)->setEnabled(ActionsLive() && dialogs_->FindDialogExists());
    RepaintGrids();
}

void THexEdit::EditSearchAgainExecute()
{
    if (dialogs_->FindDialogExists()) dialogs_->SearchAgain();
    RepaintGrids();
}

void THexEdit::EditPropertyExecute()
{
    TExplaine& description = DescriptionWindow();
    if (description.isVisible()) {
        description.close();
    } else {
        description.show();
    }
}

void THexEdit::EditGoToAddrExecute()
{
    dialogs_->ShowGoTo(CursorAddress());
    RepaintGrids();
}

void THexEdit::EditSwapExecute()
{
    dialogs_->ShowSwap();
    RepaintGrids();
}

} // namespace zav
