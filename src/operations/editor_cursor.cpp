#include "operations/editor_cursor.h"

#include <algorithm>

namespace zav {

EditorCursor::EditorCursor(int visibleRows) : visibleRows_(std::clamp(visibleRows, 1, kRowCount)) {}

Selection EditorCursor::GetSelection() const
{
    return Selection::Spanning(anchorColumn_, anchorRow_, column_, row_);
}

void EditorCursor::Place(int column, int row)
{
    column_ = std::clamp(column, Selection::kFirstColumn, Selection::kLastColumn);
    row_ = std::clamp(row, 0, Selection::kLastRow);
    KeepCursorVisible();
}

void EditorCursor::MoveTo(int column, int row)
{
    Place(column, row);
    anchorColumn_ = column_;
    anchorRow_ = row_;
}

void EditorCursor::ExtendTo(int column, int row)
{
    Place(column, row);
}

void EditorCursor::MoveBy(int columns, int rows, bool extend)
{
    if (extend) {
        ExtendTo(column_ + columns, row_ + rows);
    } else {
        MoveTo(column_ + columns, row_ + rows);
    }
}

void EditorCursor::SelectAddress(std::int32_t address)
{
    const Selection cell = Selection::OfAddress(address);
    MoveTo(cell.Left(), cell.Top());
}

void EditorCursor::ShowAddressAtTop(std::int32_t address)
{
    // From the bottom of the grid, moving up to the row scrolls it to the top.
    MoveTo(Selection::kLastColumn, Selection::kLastRow);
    SelectAddress(address);
}

void EditorCursor::SelectAll()
{
    anchorColumn_ = Selection::kLastColumn;
    anchorRow_ = Selection::kLastRow;
    column_ = Selection::kFirstColumn;
    row_ = 0;
    KeepCursorVisible();
}

void EditorCursor::StepAfterEntry()
{
    if (column_ < Selection::kLastColumn) {
        MoveTo(column_ + 1, row_);
    } else if (row_ < Selection::kLastRow) {
        MoveTo(Selection::kFirstColumn, row_ + 1);
    } else {
        MoveTo(column_, row_);
    }
}

void EditorCursor::ScrollTo(int topRow)
{
    topRow_ = std::clamp(topRow, 0, LastTopRow());
}

void EditorCursor::SetVisibleRows(int rows)
{
    visibleRows_ = std::clamp(rows, 1, kRowCount);
    ScrollTo(topRow_);
    KeepCursorVisible();
}

void EditorCursor::KeepCursorVisible()
{
    if (row_ < topRow_) {
        topRow_ = row_;
    } else if (row_ >= topRow_ + visibleRows_) {
        topRow_ = row_ - visibleRows_ + 1;
    }
}

} // namespace zav
