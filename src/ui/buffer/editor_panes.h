#pragma once

#include <cstdint>
#include <vector>

#include "operations/key_entry.h"
#include "shell/app_settings.h"
#include "ui/buffer/hex_pane_host.h"

class QSplitter;
class QWidget;

namespace zav {

class HexGridView;

// What the panes need of the window beyond the buffer: the marks they paint and where a
// moved cursor, a repaint and the context menu go.
class EditorPanesHost {
public:
    [[nodiscard]] virtual const Bookmarks& PaneBookmarks() const = 0;
    [[nodiscard]] virtual const DifferenceMarks& PaneDifferences() const = 0;
    [[nodiscard]] virtual std::vector<bool> PaneHighlights(std::int32_t first, std::int32_t last) const = 0;
    // The cursor's cell changed: the window shows what it holds.
    virtual void ShowCursorCell() = 0;
    virtual void RepaintGrids() = 0;
    virtual void ShowPopupMenu(QPoint globalPosition) = 0;

protected:
    ~EditorPanesHost() = default;
};

// The editor's grid: the hex pane and the character pane side by side in a splitter, the one
// cursor and selection both show, the keys typed into them, and their fonts' metrics.
class EditorPanes final : public HexPaneHost {
public:
    EditorPanes(QWidget& window, MemoryBuffer& buffer, const EditorOptions& options, EditorPanesHost& host);

    [[nodiscard]] HexGridView& Hex() { return *hexPane_; }
    [[nodiscard]] HexGridView& Char() { return *charPane_; }
    [[nodiscard]] QSplitter& Splitter() { return *splitter_; }
    [[nodiscard]] EditorCursor& Cursor() { return cursor_; }
    [[nodiscard]] const EditorCursor& Cursor() const { return cursor_; }
    [[nodiscard]] const HexViewLayout& Layout() const { return layout_; }
    // The pane that shows the vertical scroll bar: the character pane until the hex pane
    // first takes the focus.
    [[nodiscard]] EditorGrid ScrollBarOwner() const { return scrollBarOwner_; }

    // Measuring a font means loading each of its 256 glyphs.
    void MeasureFonts(const EditorOptions& options);
    void Repaint();
    // Repaints the visible rows that hold cells first..last.
    void RepaintCells(std::int32_t first, std::int32_t last);
    void AnnounceCursorCell();
    void CursorMoved() override;
    void PaneResized() override;

private:
    [[nodiscard]] const HexViewLayout& PaneLayout() const override { return layout_; }
    [[nodiscard]] const MemoryBuffer& PaneBuffer() const override { return buffer_; }
    [[nodiscard]] const EditorColours& PaneColours() const override { return options_.colours; }
    [[nodiscard]] const Bookmarks& PaneBookmarks() const override { return host_.PaneBookmarks(); }
    [[nodiscard]] const DifferenceMarks& PaneDifferences() const override { return host_.PaneDifferences(); }
    [[nodiscard]] std::vector<bool> PaneHighlights(std::int32_t first, std::int32_t last) const override;
    [[nodiscard]] EditorCursor& PaneCursor() override { return cursor_; }
    void PaneFocused(EditorGrid grid) override;
    void PaneScrolled(int topRow) override;
    void PaneKeyTyped(EditorGrid grid, const QString& text) override;
    void PaneClicked(EditorGrid grid) override;
    void PanePopupMenu(QPoint globalPosition) override { host_.ShowPopupMenu(globalPosition); }
    void SyncScrollBars();

    MemoryBuffer& buffer_;
    const EditorOptions& options_;
    EditorPanesHost& host_;
    EditorCursor cursor_;
    KeyEntry keyEntry_;
    HexViewLayout layout_;
    EditorGrid scrollBarOwner_ = EditorGrid::Char;
    HexGridView* hexPane_ = nullptr;
    HexGridView* charPane_ = nullptr;
    QSplitter* splitter_ = nullptr;
};

} // namespace zav
