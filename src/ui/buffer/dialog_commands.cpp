#include "ui/buffer/dialog_commands.h"

#include <QAction>

#include "ui/buffer/editor_actions.h"
#include "ui/buffer/editor_dialogs.h"
#include "ui/buffer/hex_edit_window.h"

namespace zav {

DialogCommands::DialogCommands(THexEdit& editor, EditorActionTable& table) : editor_(editor)
{
    fill_ = table[EditorAction::Fill] =
        AddEditorAction(editor, {"EditFill", "Fill", {}, "Fill memory cells with the value"});
    goTo_ = table[EditorAction::GoToAddr] = AddEditorAction(
        editor, {"EditGoToAddr", "Go To Address", {QKeySequence(QKeyCombination(Qt::ControlModifier, Qt::Key_G))},
                 "Go to address in memory dump"});
    swap_ = table[EditorAction::Swap] = AddEditorAction(editor, {"EditSwap", "Swap", {}, "Swap memory cells"});
    // The dialogs are shown with the normal cursor: a modal dialog under the busy cursor
    // would look as if it could not be used.
    QObject::connect(fill_, &QAction::triggered, &editor, [this] {
        editor_.Dialogs().ShowFill(editor_.CursorAddress(), editor_.HasSelection());
        editor_.RepaintGrids();
    });
    QObject::connect(goTo_, &QAction::triggered, &editor, [this] {
        editor_.Dialogs().ShowGoTo(editor_.CursorAddress());
        editor_.RepaintGrids();
    });
    QObject::connect(swap_, &QAction::triggered, &editor, [this] {
        editor_.Dialogs().ShowSwap();
        editor_.RepaintGrids();
    });
}

void DialogCommands::SetLive(bool live)
{
    for (QAction* action : {fill_, goTo_, swap_}) action->setEnabled(live);
}

} // namespace zav
