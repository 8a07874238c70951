#include "ui/buffer/bookmark_commands.h"

#include <QAction>
#include <QApplication>

#include "ui/buffer/editor_actions.h"
#include "ui/buffer/hex_edit_window.h"

namespace zav {

BookmarkCommands::BookmarkCommands(THexEdit& editor, EditorActionTable& table)
    : editor_(editor), actions_(table)
{
    table.Add(editor, EditorExtraAction::ToggleBookmark, [this] {
        bookmarks_.Toggle(editor_.CursorAddress());
        editor_.RepaintGrids();
    });
    table.Add(editor, EditorExtraAction::NextBookmark, [this] { Jump(true); });
    table.Add(editor, EditorExtraAction::PreviousBookmark, [this] { Jump(false); });
}

void BookmarkCommands::SetLive(bool live)
{
    actions_.SetEnabled({EditorExtraAction::ToggleBookmark, EditorExtraAction::NextBookmark,
                         EditorExtraAction::PreviousBookmark},
                        live);
}

void BookmarkCommands::Jump(bool forward)
{
    const std::int32_t from = editor_.CursorAddress();
    const auto target = forward ? bookmarks_.Next(from) : bookmarks_.Previous(from);
    if (!target) {
        QApplication::beep();
        return;
    }
    editor_.SelectAddress(*target);
}

} // namespace zav
