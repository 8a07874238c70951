#include "ui/buffer/bookmark_commands.h"

#include <QAction>
#include <QApplication>

#include "ui/buffer/editor_actions.h"
#include "ui/buffer/hex_edit_window.h"

namespace zav {

BookmarkCommands::BookmarkCommands(THexEdit& editor, EditorActionTable& table)
    : editor_(editor), actions_(table)
{
    QAction* toggle = table[EditorExtraAction::ToggleBookmark] =
        AddEditorAction(editor, {"EditToggleBookmark",
                                 "Toggle Bookmark",
                                 {QKeySequence(QStringLiteral("Ctrl+B"))},
                                 "Set or remove a bookmark on the cursor's cell",
                                 false});
    // Alt+Up/Down: the desktops take Ctrl+Alt+arrows for their workspaces.
    QAction* next = table[EditorExtraAction::NextBookmark] =
        AddEditorAction(editor, {"EditNextBookmark",
                                 "Next Bookmark",
                                 {QKeySequence(QStringLiteral("Alt+Down"))},
                                 "Go to the next bookmark",
                                 false});
    QAction* previous = table[EditorExtraAction::PreviousBookmark] =
        AddEditorAction(editor, {"EditPreviousBookmark",
                                 "Previous Bookmark",
                                 {QKeySequence(QStringLiteral("Alt+Up"))},
                                 "Go to the previous bookmark",
                                 false});
    QObject::connect(toggle, &QAction::triggered, &editor, [this] {
        bookmarks_.Toggle(editor_.CursorAddress());
        editor_.RepaintGrids();
    });
    QObject::connect(next, &QAction::triggered, &editor, [this] { Jump(true); });
    QObject::connect(previous, &QAction::triggered, &editor, [this] { Jump(false); });
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
