#pragma once

#include "operations/bookmarks.h"

namespace zav {

class THexEdit;
struct EditorActionTable;

// Toggle Bookmark on the cursor's cell, and Next and Previous Bookmark, which beep where
// there is none to go to.
class BookmarkCommands {
public:
    BookmarkCommands(THexEdit& editor, EditorActionTable& table);

    [[nodiscard]] const Bookmarks& Marks() const { return bookmarks_; }
    void SetLive(bool live);

private:
    void Jump(bool forward);

    THexEdit& editor_;
    EditorActionTable& actions_;
    Bookmarks bookmarks_;
};

} // namespace zav
