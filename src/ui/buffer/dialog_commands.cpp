#include "ui/buffer/dialog_commands.h"

#include <QAction>

#include "ui/buffer/editor_actions.h"
#include "ui/buffer/editor_dialogs.h"
#include "ui/buffer/hex_edit_window.h"

namespace zav {

DialogCommands::DialogCommands(THexEdit& editor, EditorActionTable& table) : actions_(table)
{
    // The dialogs are shown with the normal cursor: a modal dialog under the busy cursor
    // would look as if it could not be used.
    table.Add(editor, EditorAction::Fill, [&editor] {
        editor.Dialogs().ShowFill(editor.CursorAddress(), editor.HasSelection());
        editor.RepaintGrids();
    });
    table.Add(editor, EditorAction::GoToAddr, [&editor] {
        editor.Dialogs().ShowGoTo(editor.CursorAddress());
        editor.RepaintGrids();
    });
    table.Add(editor, EditorAction::Swap, [&editor] {
        editor.Dialogs().ShowSwap();
        editor.RepaintGrids();
    });
}

void DialogCommands::SetLive(bool live)
{
    actions_.SetEnabled({EditorAction::Fill, EditorAction::GoToAddr, EditorAction::Swap}, live);
}

} // namespace zav
