#pragma once

#include <QAbstractScrollArea>
#include <QColor>
#include <QPixmap>

#include <optional>

class QPainter;

#include "ui/buffer/glyph_batch.h"
#include "ui/buffer/hex_pane_host.h"
#include "operations/editor_cursor.h"
#include "operations/hex_view_layout.h"

namespace zav {

// One pane of the hex editor: the hex dump with its address column, or the character dump.
// It paints the rows a paint event exposes straight from the buffer and hands keys, clicks
// and scrolling to the editor (its host), which keeps the one cursor and selection both panes show.
class HexGridView : public QAbstractScrollArea {
    Q_OBJECT

public:
    HexGridView(HexPaneHost& editor, EditorGrid grid, QWidget* parent);

    [[nodiscard]] EditorGrid Grid() const { return grid_; }
    // The pane's font; the hex pane's digits stand `digitAdvance` apart.
    void SetPaneFont(const QFont& font);
    void SetDigitAdvance(double digitAdvance) { hexDigitAdvance_ = digitAdvance; }
    // The focused pane shows the vertical scroll bar; both keep its range and position.
    void SetOwnsScrollBar(bool owns);
    void SyncScrollBar(int topRow, int visibleRows);
    // Full rows that fit into the viewport.
    [[nodiscard]] int FittingRows() const;
    // How many byte values the pane cannot draw, in its font or the fallback.
    [[nodiscard]] int MissingGlyphs() const { return glyphs_.MissingCount(); }
    // The point in the viewport at the centre of a byte's cell, for tests and tools.
    [[nodiscard]] QPoint CellCentre(std::int32_t address) const;
    // A byte's cell in the viewport, and the byte at a point of it.
    [[nodiscard]] QRect CellRect(std::int32_t address) const;
    [[nodiscard]] std::optional<std::int32_t> AddressAt(QPoint point) const;
    // The editor whose buffer and cursor the pane shows, for its accessible table.
    [[nodiscard]] HexPaneHost& Editor() const { return editor_; }
    // Tells a screen reader which cell the cursor is on now, while the pane has the focus.
    void AnnounceCursorCell();

protected:
    void paintEvent(QPaintEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;
    void focusInEvent(QFocusEvent* event) override;
    void focusOutEvent(QFocusEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;
    void scrollContentsBy(int dx, int dy) override;
    void contextMenuEvent(QContextMenuEvent* event) override;

private:
    [[nodiscard]] bool MoveByKey(const QKeyEvent& event);
    [[nodiscard]] std::optional<GridCell> CellAt(QPoint point) const;
    [[nodiscard]] GridCell CellNearest(QPoint point) const;
    [[nodiscard]] int ContentX(QPoint point) const;
    [[nodiscard]] int ContentLeft() const;
    struct PaintGeometry;
    void PaintRowBackgrounds(QPainter& painter, const PaintGeometry& geometry);
    void AddRowGlyphs(const PaintGeometry& geometry);
    void PaintCursorFrame(QPainter& painter, const PaintGeometry& geometry);
    // The cells the last verify found different, over the rows being painted.
    void PaintDifferenceMarks(QPainter& painter, const RowSpan& rows, int firstByteLeft, int cellWidth);

    HexPaneHost& editor_;
    EditorGrid grid_;
    GlyphBatch glyphs_;
    int ascent_ = 0;
    double hexDigitAdvance_ = 8;
    // One mark, drawn at the cell size in the ink below.
    QPixmap markTile_;
    QColor markInk_;
};

} // namespace zav
