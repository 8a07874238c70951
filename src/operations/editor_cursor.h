#pragma once

#include <cstdint>

#include "operations/selection.h"

namespace zav {

// The two grids of the hex editor: bytes as hex digits, and the same bytes as characters.
enum class EditorGrid { Hex, Char };

// Where the editor's cursor and selection are, and which rows are scrolled into view. Both
// grids show the same cell under the cursor and scroll together, so one model serves both;
// positions are in hex-grid columns (1-16), the character grid's column is one less.
class EditorCursor {
public:
    static constexpr int kRowCount = Selection::kLastRow + 1;

    explicit EditorCursor(int visibleRows = 16);

    [[nodiscard]] int Column() const { return column_; }
    [[nodiscard]] int CharColumn() const { return column_ - 1; }
    [[nodiscard]] int Row() const { return row_; }
    [[nodiscard]] std::int32_t Address() const { return HexCellAddress(column_, row_); }

    [[nodiscard]] EditorGrid FocusedGrid() const { return focusedGrid_; }
    void Focus(EditorGrid grid) { focusedGrid_ = grid; }

    // The block between the anchor (where the selection started) and the cursor.
    [[nodiscard]] Selection GetSelection() const;
    [[nodiscard]] bool HasSelection() const { return GetSelection().HasSelection(); }

    // Puts the cursor on a hex-grid cell (clamped to the grid) and drops the selection.
    void MoveTo(int column, int row);
    // Moves the cursor while the anchor stays: a drag or a shifted move.
    void ExtendTo(int column, int row);
    // Arrow and page keys: moves by whole cells, clamped at the grid's edges.
    void MoveBy(int columns, int rows, bool extend);

    // Puts the cursor on the address's cell; an address beyond the buffer goes to the last
    // cell, a negative one to the first.
    void SelectAddress(std::int32_t address);
    // Scrolls so that the address's row becomes the top visible row (as far as the grid
    // can scroll near the end) and puts the cursor there.
    void ShowAddressAtTop(std::int32_t address);
    // Cursor on the first cell, every cell of the buffer selected.
    void SelectAll();
    // After a byte has been typed: one cell on, to the next row after the last column, and
    // nowhere after the last cell of the buffer.
    void StepAfterEntry();

    [[nodiscard]] int TopRow() const { return topRow_; }
    [[nodiscard]] int VisibleRows() const { return visibleRows_; }
    // The scroll bar or the other grid moved; the cursor stays where it is.
    void ScrollTo(int topRow);
    // The window was resized.
    void SetVisibleRows(int rows);

private:
    void Place(int column, int row);
    void KeepCursorVisible();
    [[nodiscard]] int LastTopRow() const { return kRowCount - visibleRows_; }

    EditorGrid focusedGrid_ = EditorGrid::Hex;
    int column_ = Selection::kFirstColumn;
    int row_ = 0;
    int anchorColumn_ = Selection::kFirstColumn;
    int anchorRow_ = 0;
    int topRow_ = 0;
    int visibleRows_;
};

} // namespace zav
