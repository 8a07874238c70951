#include "operations/hex_view_layout.h"

#include <algorithm>

namespace zav {

namespace {

// Floor division, so that points above the viewport fall on the rows above the top row.
int FloorDiv(int value, int divisor)
{
    const int quotient = value / divisor;
    return (value % divisor != 0 && value < 0) ? quotient - 1 : quotient;
}

} // namespace

HexViewLayout::HexViewLayout(FontCellMetrics hexFont, FontCellMetrics charFont)
{
    const int digit = std::max(1, hexFont.charWidth);
    const int character = std::max(1, charFont.charWidth);
    const int hexLine = std::max(1, hexFont.lineHeight);
    const int charLine = std::max(1, charFont.lineHeight);
    // An 8-pixel digit leaves a 4-pixel gap between bytes; wider fonts keep the proportion.
    digitGap_ = std::max(4, digit / 2);
    byteWidth_ = 2 * digit + digitGap_;
    addressWidth_ = 4 * digit + 2 * digitGap_;
    charWidth_ = character + 2;
    rowHeight_ = std::max(hexLine, charLine) + 3;
    textInsetX_ = std::max(1, digitGap_ / 4);
    hexInsetY_ = (rowHeight_ - hexLine) / 2;
    charInsetY_ = (rowHeight_ - charLine) / 2;
}

int HexViewLayout::HexColumnLeft(int column) const
{
    if (column <= 0) return 0;
    return addressWidth_ + (std::min(column, kBytesPerRow + 1) - 1) * byteWidth_;
}

int HexViewLayout::MinimumHexPaneWidth() const
{
    // The address column and a byte and a half: 70 pixels at the design size.
    return addressWidth_ + byteWidth_ + byteWidth_ / 2;
}

int HexViewLayout::VisibleRows(int viewportHeight) const
{
    return std::clamp(viewportHeight / rowHeight_, 1, kRowCount);
}

RowSpan HexViewLayout::ExposedRows(int topRow, int y0, int y1) const
{
    if (y1 < y0) return {};
    const int first = std::max(0, topRow + FloorDiv(y0, rowHeight_));
    const int last = std::min(kRowCount - 1, topRow + FloorDiv(y1, rowHeight_));
    return {first, last};
}

int HexViewLayout::RowAt(int y, int topRow) const
{
    return topRow + FloorDiv(y, rowHeight_);
}

std::optional<GridCell> HexViewLayout::HexCellAt(int x, int y, int topRow) const
{
    const int row = RowAt(y, topRow);
    if (x < addressWidth_ || x >= HexPaneContentWidth() || row < 0 || row >= kRowCount) return std::nullopt;
    return GridCell{1 + (x - addressWidth_) / byteWidth_, row};
}

std::optional<GridCell> HexViewLayout::CharCellAt(int x, int y, int topRow) const
{
    const int row = RowAt(y, topRow);
    if (x < 0 || x >= CharPaneContentWidth() || row < 0 || row >= kRowCount) return std::nullopt;
    return GridCell{x / charWidth_, row};
}

GridCell HexViewLayout::HexCellNearest(int x, int y, int topRow) const
{
    const int column = 1 + FloorDiv(x - addressWidth_, byteWidth_);
    return {std::clamp(column, 1, kBytesPerRow), std::clamp(RowAt(y, topRow), 0, kRowCount - 1)};
}

GridCell HexViewLayout::CharCellNearest(int x, int y, int topRow) const
{
    return {std::clamp(FloorDiv(x, charWidth_), 0, kBytesPerRow - 1),
            std::clamp(RowAt(y, topRow), 0, kRowCount - 1)};
}

PaneWidths HexViewLayout::MoveScrollBar(PaneWidths widths, EditorGrid from, EditorGrid to, int scrollBarWidth)
{
    if (from == to) return widths;
    // Never more than the losing pane has, so no width turns negative.
    if (to == EditorGrid::Hex) {
        const int moved = std::min(scrollBarWidth, widths.character);
        return {widths.hex + moved, widths.character - moved};
    }
    const int moved = std::min(scrollBarWidth, widths.hex);
    return {widths.hex - moved, widths.character + moved};
}

} // namespace zav
