#pragma once

#include <optional>

#include "operations/editor_cursor.h"

namespace zav {

// What the layout needs of a font, in logical pixels: the advance of its widest character
// among those the pane draws, and its line spacing.
struct FontCellMetrics {
    int charWidth = 8;
    int lineHeight = 13;
};

// A cell of a pane: for the hex pane columns 1-16 hold the bytes (0 is the address
// column), for the character pane columns 0-15.
struct GridCell {
    int column = 0;
    int row = 0;

    bool operator==(const GridCell&) const = default;
};

// The rows a paint event has to draw, first to last inclusive; empty when last < first.
struct RowSpan {
    int first = 0;
    int last = -1;

    [[nodiscard]] bool IsEmpty() const { return last < first; }
    bool operator==(const RowSpan&) const = default;
};

// The widths of the two panes beside the splitter.
struct PaneWidths {
    int hex = 0;
    int character = 0;

    bool operator==(const PaneWidths&) const = default;
};

// Where everything of the editor's two panes lies, in logical pixels, for the fonts in use:
// the address column, the 16 byte columns and the 16 character columns, the common row
// height, and the reverse (which cell a point is on). The design sizes (address column 40,
// byte 20, character 10, row 16 pixels) are what an 8-pixel, 13-pixel-high font gives.
class HexViewLayout {
public:
    static constexpr int kRowCount = EditorCursor::kRowCount;
    static constexpr int kBytesPerRow = 16;

    HexViewLayout() : HexViewLayout(FontCellMetrics{}, FontCellMetrics{}) {}
    HexViewLayout(FontCellMetrics hexFont, FontCellMetrics charFont);

    // Both panes share one row height, so their rows stay side by side.
    [[nodiscard]] int RowHeight() const { return rowHeight_; }

    [[nodiscard]] int AddressColumnWidth() const { return addressWidth_; }
    [[nodiscard]] int ByteColumnWidth() const { return byteWidth_; }
    // Left edge of a hex pane column (0 the address, 1-16 the bytes, 17 the right end).
    [[nodiscard]] int HexColumnLeft(int column) const;
    [[nodiscard]] int HexPaneContentWidth() const { return HexColumnLeft(kBytesPerRow + 1); }
    [[nodiscard]] int CharColumnWidth() const { return charWidth_; }
    [[nodiscard]] int CharColumnLeft(int column) const { return column * charWidth_; }
    [[nodiscard]] int CharPaneContentWidth() const { return CharColumnLeft(kBytesPerRow); }
    // Where a cell's text starts, from the cell's top-left corner.
    [[nodiscard]] int TextInsetX() const { return textInsetX_; }
    [[nodiscard]] int HexTextInsetY() const { return hexInsetY_; }
    [[nodiscard]] int CharTextInsetY() const { return charInsetY_; }
    // The narrowest the hex pane may get beside the splitter.
    [[nodiscard]] int MinimumHexPaneWidth() const;

    // Rows that fit completely into a viewport this high; at least one.
    [[nodiscard]] int VisibleRows(int viewportHeight) const;
    // The rows a repaint of the viewport's band y0..y1 (inclusive) touches with topRow at
    // the top, limited to the buffer's rows.
    [[nodiscard]] RowSpan ExposedRows(int topRow, int y0, int y1) const;
    // The top of a row in the viewport.
    [[nodiscard]] int RowTop(int topRow, int row) const { return (row - topRow) * rowHeight_; }

    // The byte under a point of the hex pane's viewport: none on the address column, right
    // of the last byte or below the last row. Anywhere inside a byte's column counts, also
    // between its two digits.
    [[nodiscard]] std::optional<GridCell> HexCellAt(int x, int y, int topRow) const;
    [[nodiscard]] std::optional<GridCell> CharCellAt(int x, int y, int topRow) const;
    // The nearest byte to a point anywhere, even outside the viewport: where a drag has got to.
    [[nodiscard]] GridCell HexCellNearest(int x, int y, int topRow) const;
    [[nodiscard]] GridCell CharCellNearest(int x, int y, int topRow) const;

    // A pane taking the focus takes the vertical scroll bar from the other one: it grows by
    // the bar's width and the other pane shrinks by it, so neither pane's bytes move. Nothing
    // changes when the focus stays in the same pane.
    [[nodiscard]] static PaneWidths MoveScrollBar(PaneWidths widths, EditorGrid from, EditorGrid to,
                                                  int scrollBarWidth);

private:
    [[nodiscard]] int RowAt(int y, int topRow) const;

    int rowHeight_;
    int digitGap_;
    int addressWidth_;
    int byteWidth_;
    int charWidth_;
    int textInsetX_;
    int hexInsetY_;
    int charInsetY_;
};

} // namespace zav
