#pragma once

#include "ui/buffer/bookmark_commands.h"
#include "ui/buffer/clipboard_commands.h"
#include "ui/buffer/dialog_commands.h"
#include "ui/buffer/editor_actions.h"
#include "ui/buffer/find_commands.h"
#include "ui/buffer/history_commands.h"

class QMenu;

namespace zav {

// The editor's menu commands, each area a part owning its actions, and the context menu
// over them. They are enabled while the editor is open.
class EditorCommands {
public:
    explicit EditorCommands(THexEdit& editor);

    // Where the other parts of the editor put the commands they own.
    [[nodiscard]] EditorActionTable& Table() { return table_; }
    [[nodiscard]] QAction* Action(EditorAction action) const;
    [[nodiscard]] QAction* ExtraAction(EditorExtraAction action) const;
    [[nodiscard]] QMenu* PopupMenu() const { return popupMenu_; }
    [[nodiscard]] HistoryCommands& History() { return history_; }
    [[nodiscard]] FindCommands& Find() { return find_; }
    [[nodiscard]] const FindCommands& Find() const { return find_; }
    [[nodiscard]] const BookmarkCommands& Bookmarks() const { return bookmarks_; }

    void SetLive(bool live);
    // Redo, Replace and the bookmarks follow every change to the buffer.
    void SetExtrasLive(bool live);

private:
    void CreatePopupMenu(THexEdit& editor);

    EditorActionTable table_;
    HistoryCommands history_;
    ClipboardCommands clipboard_;
    FindCommands find_;
    BookmarkCommands bookmarks_;
    DialogCommands dialogs_;
    QMenu* popupMenu_ = nullptr;
};

} // namespace zav
