#include "ui/buffer/editor_actions.h"

#include <QAction>
#include <QWidget>

namespace zav {

namespace {

QKeySequence Keys(Qt::KeyboardModifiers modifiers, Qt::Key key)
{
    return QKeySequence(QKeyCombination(modifiers, key));
}

// The editor's commands, then the commands beside them, each in the order of its enumeration.
const std::array<EditorActionText, kEditorActionCount + kEditorExtraActionCount> kActionTexts{{
    {"EditUndo", "Undo", {Keys(Qt::AltModifier, Qt::Key_Backspace)}, "Undo the last action"},
    {"EditCopy",
     "Copy",
     {Keys(Qt::ControlModifier, Qt::Key_Insert)},
     "Copy selected memory cells to clipboard"},
    {"EditPaste", "Paste", {Keys(Qt::ShiftModifier, Qt::Key_Insert)}, "Paste contents of clipboard"},
    {"EditSelectAll", "Select All", {Keys(Qt::ControlModifier, Qt::Key_A)}, "Select all memory cell"},
    {"EditFill", "Fill", {}, "Fill memory cells with the value"},
    {"EditCopyAs", "Copy As ...", {}, "Copy selected memory cells to clipboard with conversion"},
    // Ctrl+F is Fill; Ctrl+Shift+F is free here and on the desktops.
    {"EditFind",
     "Find",
     {Keys(Qt::ControlModifier | Qt::ShiftModifier, Qt::Key_F)},
     "Find cell in memory dump"},
    {"EditSearchAgain",
     "Search Again",
     {Keys(Qt::ControlModifier, Qt::Key_L)},
     "Search again cell in memory dump"},
    {"EditProperty", "Property", {}, "Description window Show/Close"},
    {"EditGoToAddr", "Go To Address", {Keys(Qt::ControlModifier, Qt::Key_G)}, "Go to address in memory dump"},
    {"EditSwap", "Swap", {}, "Swap memory cells"},
    {"EditRedo",
     "Redo",
     {Keys(Qt::ControlModifier, Qt::Key_Y), Keys(Qt::ControlModifier | Qt::ShiftModifier, Qt::Key_Z)},
     "Redo the last undone action",
     false},
    {"EditReplace",
     "Replace ...",
     {Keys(Qt::ControlModifier, Qt::Key_H)},
     "Replace cells in memory dump",
     false},
    {"EditToggleBookmark",
     "Toggle Bookmark",
     {Keys(Qt::ControlModifier, Qt::Key_B)},
     "Set or remove a bookmark on the cursor's cell",
     false},
    // Alt+Up/Down: the desktops take Ctrl+Alt+arrows for their workspaces.
    {"EditNextBookmark",
     "Next Bookmark",
     {Keys(Qt::AltModifier, Qt::Key_Down)},
     "Go to the next bookmark",
     false},
    {"EditPreviousBookmark",
     "Previous Bookmark",
     {Keys(Qt::AltModifier, Qt::Key_Up)},
     "Go to the previous bookmark",
     false},
    {"WindowDataInspector", "Data Inspector", {}, "Data Inspector window Show/Close", false},
}};

} // namespace

QAction* AddCommandAction(QWidget& window, std::size_t textIndex, const std::function<void()>& onTrigger)
{
    QAction* action = AddEditorAction(window, kActionTexts.at(textIndex));
    QObject::connect(action, &QAction::triggered, &window, onTrigger);
    return action;
}

QAction* AddEditorAction(QWidget& window, const EditorActionText& text)
{
    auto* action = new QAction(QString::fromLatin1(text.caption), &window);
    action->setObjectName(QString::fromLatin1(text.name));
    action->setShortcuts(text.shortcuts);
    if (text.hintAsToolTip) action->setToolTip(QString::fromLatin1(text.hint));
    action->setStatusTip(QString::fromLatin1(text.hint));
    window.addAction(action);
    return action;
}

} // namespace zav
