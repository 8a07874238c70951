#include "ui/buffer/dialog_commands.h"

#include <QAction>

#include "ui/buffer/editor_actions.h"
#include "ui/buffer/editor_dialogs.h"
#include "ui/buffer/hex_edit_window.h"

namespace zav {

DialogCommands::DialogCommands(THexEdit& editor, EditorActionTable& table) : actions_(table)
{
    QAction* fill = table[EditorAction::Fill] =
        AddEditorAction(editor, {"EditFill", "Fill", {}, "Fill memory cells with the value"});
    QAction* goTo = table[EditorAction::GoToAddr] =
        AddEditorAction(editor, {"EditGoToAddr",
                                 "Go To Address",
                                 {QKeySequence(QKeyCombination(Qt::ControlModifier, Qt::Key_G))},
                                 "Go to address in memory dump"});
    QAction* swap = table[EditorAction::Swap] =
        AddEditorAction(editor, {"EditSwap", "Swap", {}, "Swap memory cells"});
    // The dialogs are shown with the normal cursor: a modal dialog under the busy cursor
    // would look as if it could not be used.
    QObject::connect(fill, &QAction::triggered, &editor, [&editor] {
        editor.Dialogs().ShowFill(editor.CursorAddress(), editor.HasSelection());
        editor.RepaintGrids();
    });
    QObject::connect(goTo, &QAction::triggered, &editor, [&editor] {
        editor.Dialogs().ShowGoTo(editor.CursorAddress());
        editor.RepaintGrids();
    });
    QObject::connect(swap, &QAction::triggered, &editor, [&editor] {
        editor.Dialogs().ShowSwap();
        editor.RepaintGrids();
    });
}

void DialogCommands::SetLive(bool live)
{
    actions_.SetEnabled({EditorAction::Fill, EditorAction::GoToAddr, EditorAction::Swap}, live);
}

} // namespace zav
