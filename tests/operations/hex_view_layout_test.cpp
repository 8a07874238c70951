#include "operations/hex_view_layout.h"

#include <gtest/gtest.h>

namespace zav {
namespace {

// An 8-pixel digit on a 13-pixel line: the window's design sizes.
const HexViewLayout kDesign{FontCellMetrics{8, 13}, FontCellMetrics{8, 13}};

TEST(HexViewLayoutTest, DesignFontGivesTheDesignSizes)
{
    EXPECT_EQ(kDesign.AddressColumnWidth(), 40);
    EXPECT_EQ(kDesign.ByteColumnWidth(), 20);
    EXPECT_EQ(kDesign.CharColumnWidth(), 10);
    EXPECT_EQ(kDesign.RowHeight(), 16);
    EXPECT_EQ(kDesign.HexPaneContentWidth(), 360);
    EXPECT_EQ(kDesign.CharPaneContentWidth(), 160);
    EXPECT_EQ(kDesign.MinimumHexPaneWidth(), 70);
    EXPECT_EQ(kDesign.HexColumnLeft(1), 40);
    EXPECT_EQ(kDesign.HexColumnLeft(16), 340);
}

TEST(HexViewLayoutTest, LargerFontsWidenColumnsAndBothPanesShareTheTallerLine)
{
    // Twice the size, as at 200 % with a font given in points, and a taller character font.
    const HexViewLayout layout{FontCellMetrics{16, 26}, FontCellMetrics{12, 30}};
    EXPECT_EQ(layout.ByteColumnWidth(), 40);
    EXPECT_EQ(layout.AddressColumnWidth(), 80);
    EXPECT_EQ(layout.CharColumnWidth(), 14);
    EXPECT_EQ(layout.RowHeight(), 33);
    // Text is centred vertically in its row in either pane.
    EXPECT_EQ(layout.HexTextInsetY(), 3);
    EXPECT_EQ(layout.CharTextInsetY(), 1);
}

TEST(HexViewLayoutTest, HitTestingFindsTheByteUnderAPoint)
{
    // Anywhere inside a byte's column, also between its two digits, is that byte.
    EXPECT_EQ(kDesign.HexCellAt(40, 0, 0), (GridCell{1, 0}));
    EXPECT_EQ(kDesign.HexCellAt(69, 20, 0), (GridCell{2, 1}));
    EXPECT_EQ(kDesign.HexCellAt(359, 15, 10), (GridCell{16, 10}));
    // The address column and the space right of the last byte are no cell.
    EXPECT_EQ(kDesign.HexCellAt(39, 0, 0), std::nullopt);
    EXPECT_EQ(kDesign.HexCellAt(360, 0, 0), std::nullopt);
    // Below the last row.
    EXPECT_EQ(kDesign.HexCellAt(50, 16, 4095), std::nullopt);
    EXPECT_EQ(kDesign.CharCellAt(0, 0, 7), (GridCell{0, 7}));
    EXPECT_EQ(kDesign.CharCellAt(159, 31, 0), (GridCell{15, 1}));
    EXPECT_EQ(kDesign.CharCellAt(160, 0, 0), std::nullopt);
    EXPECT_EQ(kDesign.CharCellAt(-1, 0, 0), std::nullopt);
}

TEST(HexViewLayoutTest, ADragOutsideThePaneReachesTheNearestCell)
{
    EXPECT_EQ(kDesign.HexCellNearest(0, -1, 10), (GridCell{1, 9}));
    EXPECT_EQ(kDesign.HexCellNearest(1000, 1000, 4090), (GridCell{16, 4095}));
    EXPECT_EQ(kDesign.HexCellNearest(-50, -1000, 0), (GridCell{1, 0}));
    EXPECT_EQ(kDesign.CharCellNearest(-5, 33, 0), (GridCell{0, 2}));
    EXPECT_EQ(kDesign.CharCellNearest(500, 0, 0), (GridCell{15, 0}));
}

TEST(HexViewLayoutTest, RowsOfTheViewport)
{
    EXPECT_EQ(kDesign.VisibleRows(249), 15);
    EXPECT_EQ(kDesign.VisibleRows(5), 1);
    EXPECT_EQ(kDesign.VisibleRows(1 << 20), 4096);
    // A paint of the band 20..40 with row 100 on top touches rows 101 and 102 only.
    EXPECT_EQ(kDesign.ExposedRows(100, 20, 40), (RowSpan{101, 102}));
    // Nothing beyond the last row, however tall the viewport.
    EXPECT_EQ(kDesign.ExposedRows(4090, 0, 959), (RowSpan{4090, 4095}));
    EXPECT_TRUE(kDesign.ExposedRows(0, 10, 9).IsEmpty());
    EXPECT_EQ(kDesign.RowTop(100, 102), 32);
}

TEST(HexViewLayoutTest, TheFocusedPaneTakesTheScrollBarsWidth)
{
    const PaneWidths start{365, 179};
    const PaneWidths hexFocused = HexViewLayout::MoveScrollBar(start, EditorGrid::Char, EditorGrid::Hex, 16);
    EXPECT_EQ(hexFocused, (PaneWidths{381, 163}));
    EXPECT_EQ(HexViewLayout::MoveScrollBar(hexFocused, EditorGrid::Hex, EditorGrid::Char, 16), start);
    EXPECT_EQ(HexViewLayout::MoveScrollBar(start, EditorGrid::Char, EditorGrid::Char, 16), start);
    // A pane narrower than the bar gives what it has.
    EXPECT_EQ(HexViewLayout::MoveScrollBar({100, 10}, EditorGrid::Char, EditorGrid::Hex, 16), (PaneWidths{110, 0}));
}

} // namespace
} // namespace zav
