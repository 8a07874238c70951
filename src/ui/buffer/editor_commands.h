#pragma once

#include <memory>

#include "ui/buffer/editor_actions.h"

class QMenu;

namespace zav {

class BookmarkCommands;
class ClipboardCommands;
class DialogCommands;
class FindCommands;
class HistoryCommands;
class THexEdit;

// The editor's menu commands, each area a part owning its actions, and the context menu
// over them. They are enabled while the editor is open.
class EditorCommands {
public:
    explicit EditorCommands(THexEdit& editor);
    ~EditorCommands();
    EditorCommands(const EditorCommands&) = delete;
    EditorCommands& operator=(const EditorCommands&) = delete;

    // Where the other parts of the editor put the commands they own.
    [[nodiscard]] EditorActionTable& Table() { return table_; }
    [[nodiscard]] QAction* Action(EditorAction action) const;
    [[nodiscard]] QAction* ExtraAction(EditorExtraAction action) const;
    [[nodiscard]] QMenu* PopupMenu() const { return popupMenu_; }
    [[nodiscard]] HistoryCommands& History() { return *history_; }
    [[nodiscard]] FindCommands& Find() { return *find_; }
    [[nodiscard]] const FindCommands& Find() const { return *find_; }
    [[nodiscard]] const BookmarkCommands& Bookmarks() const { return *bookmarks_; }

    void SetLive(bool live);
    // Redo, Replace and the bookmarks follow every change to the buffer.
    void SetExtrasLive(bool live);

private:
    void CreatePopupMenu(THexEdit& editor);

    EditorActionTable table_;
    std::unique_ptr<HistoryCommands> history_;
    std::unique_ptr<ClipboardCommands> clipboard_;
    std::unique_ptr<FindCommands> find_;
    std::unique_ptr<BookmarkCommands> bookmarks_;
    std::unique_ptr<DialogCommands> dialogs_;
    QMenu* popupMenu_ = nullptr;
};

} // namespace zav
