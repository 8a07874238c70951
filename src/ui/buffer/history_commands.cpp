#include "ui/buffer/history_commands.h"

#include <QAction>

#include "buffer/memory_buffer.h"
#include "ui/buffer/editor_actions.h"
#include "ui/buffer/hex_edit_window.h"
#include "widgets/busy_cursor.h"

namespace zav {

HistoryCommands::HistoryCommands(THexEdit& editor, EditorActionTable& table)
    : editor_(editor), actions_(table)
{
    table.Add(editor, EditorAction::Undo, [this] {
        if (!editor_.IsUndoEmpty()) Replay([this] { return editor_.Buffer().Undo().Undo(); });
        editor_.RepaintGrids();
    });
    table.Add(editor, EditorExtraAction::Redo, [this] {
        if (!editor_.Buffer().Undo().IsRedoEmpty()) Replay([this] { return editor_.Buffer().Undo().Redo(); });
        editor_.RepaintGrids();
    });
}

void HistoryCommands::SetLive(bool live)
{
    SetUndoLive(live, !editor_.IsUndoEmpty());
    SetRedoLive(live);
}

void HistoryCommands::SetUndoLive(bool live, bool available)
{
    actions_[EditorAction::Undo]->setEnabled(live && available);
}

void HistoryCommands::SetRedoLive(bool live)
{
    actions_[EditorExtraAction::Redo]->setEnabled(live && !editor_.Buffer().Undo().IsRedoEmpty());
}

void HistoryCommands::Replay(const std::function<std::int32_t()>& step)
{
    const BusyCursor busy;
    std::int32_t address = 0;
    {
        const MemoryBuffer::ChangeBatch batch(editor_.Buffer());
        address = step();
    }
    editor_.SelectAddress(address);
}

} // namespace zav
