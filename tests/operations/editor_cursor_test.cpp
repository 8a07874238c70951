#include "operations/editor_cursor.h"

#include <vector>

#include <gtest/gtest.h>

namespace zav {
namespace {

TEST(SelectionTest, SpanningNormalisesCornersAndClampsToTheGrid)
{
    const Selection block = Selection::Spanning(7, 0x11, 5, 0x10);
    EXPECT_EQ(block.Left(), 5);
    EXPECT_EQ(block.Right(), 7);
    EXPECT_EQ(block.Top(), 0x10);
    EXPECT_EQ(block.Bottom(), 0x11);
    EXPECT_EQ(block.CellCount(), 6);
    EXPECT_TRUE(block.HasSelection());

    const Selection clamped = Selection::Spanning(0, -3, 40, 9999);
    EXPECT_EQ(clamped, Selection::All());
    EXPECT_FALSE(Selection::OfAddress(0x1234).HasSelection());
}

TEST(SelectionTest, CellsComeRowByRowAndContainsChecksBothAxes)
{
    const Selection block = Selection::Spanning(5, 0x10, 7, 0x11);
    std::vector<std::int32_t> cells;
    block.ForEachAddress([&](std::int32_t address) { cells.push_back(address); });
    EXPECT_EQ(cells, (std::vector<std::int32_t>{0x0104, 0x0105, 0x0106, 0x0114, 0x0115, 0x0116}));
    EXPECT_EQ(block.TopLeftAddress(), 0x0104);
    EXPECT_EQ(block.BottomRightAddress(), 0x0116);
    EXPECT_TRUE(block.Contains(0x0115));
    // Between the corners but outside the selected columns.
    EXPECT_FALSE(block.Contains(0x0107));
    EXPECT_FALSE(block.Contains(0x0113));
    EXPECT_FALSE(block.Contains(0x0124));
}

TEST(EditorCursorTest, SelectAddressClampsToTheBuffer)
{
    EditorCursor cursor;
    cursor.SelectAddress(0x0123);
    EXPECT_EQ(cursor.Column(), 4);
    EXPECT_EQ(cursor.Row(), 0x12);
    EXPECT_EQ(cursor.CharColumn(), 3);
    cursor.SelectAddress(0x10000);
    EXPECT_EQ(cursor.Column(), 16);
    EXPECT_EQ(cursor.Row(), 4095);
    cursor.SelectAddress(-1);
    EXPECT_EQ(cursor.Address(), 0);
}

TEST(EditorCursorTest, MovingDropsTheSelectionAndExtendingKeepsTheAnchor)
{
    EditorCursor cursor;
    cursor.MoveTo(5, 0x10);
    cursor.ExtendTo(7, 0x11);
    EXPECT_EQ(cursor.GetSelection(), Selection::Spanning(5, 0x10, 7, 0x11));
    EXPECT_EQ(cursor.Address(), 0x0116);
    cursor.MoveBy(-1, 0, true);
    EXPECT_EQ(cursor.GetSelection().CellCount(), 4);
    cursor.MoveBy(0, 1, false);
    EXPECT_FALSE(cursor.HasSelection());
    EXPECT_EQ(cursor.Address(), 0x0125);
}

TEST(EditorCursorTest, SelectAllPutsTheCursorOnTheFirstCell)
{
    EditorCursor cursor;
    cursor.SelectAddress(0x5000);
    cursor.SelectAll();
    EXPECT_EQ(cursor.Address(), 0);
    EXPECT_EQ(cursor.GetSelection(), Selection::All());
    EXPECT_EQ(cursor.TopRow(), 0);
}

TEST(EditorCursorTest, StepAfterEntryWrapsRowsAndStopsAtTheLastCell)
{
    EditorCursor cursor;
    cursor.SelectAddress(0x000E);
    cursor.StepAfterEntry();
    EXPECT_EQ(cursor.Address(), 0x000F);
    cursor.StepAfterEntry();
    EXPECT_EQ(cursor.Address(), 0x0010);
    EXPECT_EQ(cursor.Column(), 1);
    cursor.SelectAddress(0xFFFF);
    cursor.StepAfterEntry();
    EXPECT_EQ(cursor.Address(), 0xFFFF);
}

TEST(EditorCursorTest, ScrollingFollowsTheCursorAndShowAddressAtTopScrollsItToTheTop)
{
    EditorCursor cursor(10);
    cursor.SelectAddress(0x0200);
    EXPECT_EQ(cursor.TopRow(), 0x20 - 9); // scrolled down just far enough
    cursor.SelectAddress(0x0050);
    EXPECT_EQ(cursor.TopRow(), 0x05);

    cursor.ShowAddressAtTop(0x0300);
    EXPECT_EQ(cursor.TopRow(), 0x30);
    EXPECT_EQ(cursor.Address(), 0x0300);
    // Near the end the grid cannot scroll the row to the top.
    cursor.ShowAddressAtTop(0xFFF0);
    EXPECT_EQ(cursor.TopRow(), 4096 - 10);

    cursor.ScrollTo(100000);
    EXPECT_EQ(cursor.TopRow(), 4096 - 10);
    cursor.SetVisibleRows(4096);
    EXPECT_EQ(cursor.TopRow(), 0);
}

} // namespace
} // namespace zav
