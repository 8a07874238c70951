#pragma once

#include <QPoint>
#include <QString>

#include <cstdint>
#include <vector>

#include "buffer/colour.h"
#include "buffer/difference_marks.h"
#include "buffer/memory_buffer.h"
#include "operations/bookmarks.h"
#include "operations/editor_cursor.h"
#include "operations/hex_view_layout.h"

namespace zav {

// What a pane of the hex editor needs of the window around it: what to paint, the one cursor
// both panes move, and where the user's keys, clicks and scrolling go. The window keeps the
// state; a pane holds none of it and sees nothing else of the window.
class HexPaneHost {
public:
    [[nodiscard]] virtual const HexViewLayout& PaneLayout() const = 0;
    [[nodiscard]] virtual const MemoryBuffer& PaneBuffer() const = 0;
    [[nodiscard]] virtual const EditorColours& PaneColours() const = 0;
    [[nodiscard]] virtual const Bookmarks& PaneBookmarks() const = 0;
    [[nodiscard]] virtual const DifferenceMarks& PaneDifferences() const = 0;
    // Which cells from first to last show the highlighted search pattern.
    [[nodiscard]] virtual std::vector<bool> PaneHighlights(std::int32_t first, std::int32_t last) const = 0;
    [[nodiscard]] virtual EditorCursor& PaneCursor() = 0;

    // The pane moved the cursor itself (arrow keys, a drag).
    virtual void CursorMoved() = 0;
    virtual void PaneKeyTyped(EditorGrid grid, const QString& text) = 0;
    virtual void PaneClicked(EditorGrid grid) = 0;
    virtual void PaneFocused(EditorGrid grid) = 0;
    virtual void PaneResized() = 0;
    virtual void PaneScrolled(int topRow) = 0;
    virtual void PanePopupMenu(QPoint globalPosition) = 0;

protected:
    ~HexPaneHost() = default;
};

} // namespace zav
