#include "operations/bookmarks.h"

#include <gtest/gtest.h>

#include "operations/selection_panel.h"

namespace zav {
namespace {

TEST(BookmarksTest, NextAndPreviousGoRoundAndToggleTakesAMarkAway)
{
    Bookmarks marks;
    EXPECT_FALSE(marks.Next(0));
    marks.Toggle(0x40);
    EXPECT_FALSE(marks.Next(0x40)) << "no bookmark elsewhere";
    EXPECT_EQ(marks.Next(0x10), 0x40);
    marks.Toggle(0x200);
    marks.Toggle(0x1000);
    EXPECT_EQ(marks.Next(0x40), 0x200);
    EXPECT_EQ(marks.Next(0x1000), 0x40) << "round to the first";
    EXPECT_EQ(marks.Previous(0x200), 0x40);
    EXPECT_EQ(marks.Previous(0x40), 0x1000) << "round to the last";
    EXPECT_EQ(marks.Previous(0x300), 0x200);
    marks.Toggle(0x200);
    EXPECT_EQ(marks.Next(0x40), 0x1000);
    EXPECT_TRUE(marks.RowHasBookmark(0x1000));
    EXPECT_FALSE(marks.RowHasBookmark(0x0FF0));
    EXPECT_TRUE(marks.RowHasBookmark(0x0040));
    EXPECT_FALSE(marks.RowHasBookmark(0x0050));
}

TEST(SelectionPanelTest, ShowsFirstLastAndLengthOfABlockInHexAndDecimal)
{
    EXPECT_EQ(SelectionPanelText(Selection::OfAddress(0x20)), "");
    EXPECT_EQ(SelectionPanelText(Selection::Spanning(1, 1, 16, 2)), "Sel: 0010-002F (16-47) Len: 20 (32)");
    // Two columns of three rows: six cells, though 0x22 lie between the corners.
    EXPECT_EQ(SelectionPanelText(Selection::Spanning(4, 3, 3, 5)), "Sel: 0032-0053 (50-83) Len: 6 (6)");
}

} // namespace
} // namespace zav
