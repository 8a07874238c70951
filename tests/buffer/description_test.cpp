#include "buffer/description.h"

#include <gtest/gtest.h>

#include "buffer/memory_buffer.h"
#include "buffer/numeric_helpers.h"
#include "recording_observer.h"

namespace zav {
namespace {

class DescriptionTest : public ::testing::Test {
protected:
    MemoryBuffer buffer;
    Description& description = buffer.Descriptions();
};

TEST_F(DescriptionTest, EmptinessLooksAtTheRowAndCellZeroOnly)
{
    EXPECT_TRUE(description.IsDescriptionEmpty());
    description.SetProjectName("P");
    description.SetDeviceName("D");
    description.SetNotes("N");
    EXPECT_TRUE(description.IsDescriptionEmpty()) << "names and notes do not count";

    buffer.SetReadOnly(0, true);
    EXPECT_FALSE(description.IsDescriptionEmpty());
    buffer.SetReadOnly(0, false);

    description.SetRowNote(0, "x");
    EXPECT_FALSE(description.IsDescriptionEmpty());
    description.SetRowNote(0, "");
    description.AddRow();
    EXPECT_FALSE(description.IsDescriptionEmpty());
    description.DeleteRow();
    ASSERT_TRUE(description.SetRowAddressText(0, "0"));
    EXPECT_FALSE(description.IsDescriptionEmpty()) << "the text is compared, not the number";
}

TEST_F(DescriptionTest, RowsAreWrittenInOrderAndApplyToTheirCells)
{
    description.SetDescriptionRow(0, 0x0100, 3, true, "first");
    description.SetDescriptionRow(1, 0x0101, 48, false, "second");
    ASSERT_EQ(description.GetDescriptionRowCount(), 2);
    EXPECT_TRUE(buffer.IsReadOnly(0x0100));
    EXPECT_EQ(buffer.GetCellColour(0x0100), 0x0000FFu);
    EXPECT_FALSE(buffer.IsReadOnly(0x0101));
    EXPECT_EQ(description.RowAddressText(0), "0x0100");
    EXPECT_EQ(description.GetDescriptionRow(0), (CellDescription{0x0100, 3, true, "first"}));
    EXPECT_EQ(description.GetDescriptionRow(1), (CellDescription{0x0101, 48, false, "second"}));
    EXPECT_EQ(description.GetDescriptionRow(2), CellDescription{});
    EXPECT_EQ(description.GetDescriptionRow(-1), CellDescription{});
}

TEST_F(DescriptionTest, RowsReadColourAndAccessLiveFromTheCell)
{
    description.SetDescriptionRow(0, 0x0200, 12, false, "");
    buffer.SetCellColour(0x0200, ColourFromIndex(60));
    buffer.SetReadOnly(0x0200, true);
    EXPECT_EQ(description.GetDescriptionRow(0).colourIndex, 60u);
    EXPECT_TRUE(description.GetDescriptionRow(0).readOnly);

    ASSERT_TRUE(description.SetRowAddressText(0, "512"));
    EXPECT_EQ(description.RowAddressText(0), "512") << "typed text is kept as typed";
    EXPECT_EQ(description.GetDescriptionRow(0).address, 0x0200);
    EXPECT_FALSE(description.SetRowAddressText(0, "FF"));
    EXPECT_FALSE(description.SetRowAddressText(5, "0x0001"));
    EXPECT_EQ(description.RowAddressText(0), "512");
}

TEST_F(DescriptionTest, RowsSurviveBulkUpdatesAndOptionChanges)
{
    description.SetDescriptionRow(0, 0x0300, 12, true, "a");
    description.SetDescriptionRow(1, 0x0301, 60, false, "b");
    ASSERT_TRUE(description.SetRowAddressText(1, "769"));
    buffer.BeginUpdate();
    buffer.SetByte(0x0300, 0x12);
    buffer.EndUpdate();
    EXPECT_EQ(buffer.GetCellState(0x0300), 0x80 | 12);
    EXPECT_EQ(buffer.GetCellState(0x0301), 60);
    EXPECT_EQ(description.RowAddressText(1), "0x0301") << "rewritten rows use the standard text";

    EditorColours colours;
    colours.notEdited = 0x00FF00;
    buffer.ApplyEditorColours(colours);
    EXPECT_EQ(buffer.GetCellState(0x0300), 0x80 | 12);
    EXPECT_EQ(buffer.GetCellState(0x0301), 60);
    EXPECT_EQ(buffer.GetCellColour(0x0302), 0x00FF00u);
    EXPECT_EQ(description.GetDescriptionRowCount(), 2);
}

TEST_F(DescriptionTest, ClearEmptiesTextsButLeavesCells)
{
    description.SetProjectName("Project");
    description.SetDeviceName("Device");
    EXPECT_EQ(description.EditorCaption(), "Project Device");
    description.SetNotes("notes");
    description.SetDescriptionRow(0, 0x0000, 3, true, "zero");
    description.SetDescriptionRow(1, 0x0010, 3, true, "");
    description.ClearDescription();
    EXPECT_EQ(description.GetDescriptionRowCount(), 1);
    EXPECT_EQ(description.RowAddressText(0), "0x0000");
    EXPECT_EQ(description.RowNote(0), "");
    EXPECT_EQ(description.GetProjectName(), "");
    EXPECT_EQ(description.GetDeviceName(), "");
    EXPECT_EQ(description.GetNotes(), "");
    EXPECT_TRUE(buffer.IsReadOnly(0x0010));
    EXPECT_FALSE(description.IsDescriptionEmpty()) << "cell 0 is still read-only";
}

TEST_F(DescriptionTest, RowCountAddAndDeleteKeepAtLeastOneRow)
{
    description.DeleteRow();
    EXPECT_EQ(description.GetDescriptionRowCount(), 1);
    description.SetDescriptionRow(0, 0x0400, 3, true, "");
    description.AddRow();
    EXPECT_EQ(description.RowAddressText(1), "0x0000");
    description.DeleteRow();
    EXPECT_TRUE(buffer.IsReadOnly(0x0400)) << "deleting a row leaves the cell as it is";
    EXPECT_EQ(description.RowAddressText(0), "0x0400") << "the last row goes, not the first";

    description.SetDescriptionRowCount(0);
    EXPECT_EQ(description.GetDescriptionRowCount(), 1);
    description.SetDescriptionRowCount(3);
    EXPECT_EQ(description.GetDescriptionRow(2), (CellDescription{0, 48, false, ""}));
    description.SetDescriptionRowCount(Description::kMaxRows + 5);
    EXPECT_EQ(description.GetDescriptionRowCount(), Description::kMaxRows);
    description.AddRow();
    description.SetDescriptionRow(Description::kMaxRows, 0x0500, 3, true, "");
    EXPECT_EQ(description.GetDescriptionRowCount(), Description::kMaxRows);
    EXPECT_TRUE(buffer.IsReadOnly(0x0500)) << "the cell still takes its access";
}

TEST_F(DescriptionTest, OutOfSequenceAndBadRowsStayConsistent)
{
    description.SetDescriptionRow(3, 0x0600, 12, false, "far");
    EXPECT_EQ(description.GetDescriptionRowCount(), 4);
    EXPECT_EQ(description.GetDescriptionRow(3).address, 0x0600);
    description.SetDescriptionRow(-1, 0x0700, 12, true, "");
    EXPECT_EQ(description.GetDescriptionRowCount(), 4);
    EXPECT_FALSE(buffer.IsReadOnly(0x0700));

    description.SetDescriptionRow(0, -1, 63, true, "bad address");
    EXPECT_EQ(description.GetDescriptionRow(0).address, -1);
    description.SetDescriptionRow(1, 0x10000, 63, true, "");
    EXPECT_EQ(description.GetDescriptionRowCount(), 5);
    buffer.BeginUpdate();
    buffer.EndUpdate();
    EXPECT_EQ(description.GetDescriptionRowCount(), 5);
    EXPECT_EQ(description.GetDescriptionRow(0).address, -1);
}

TEST_F(DescriptionTest, ObserverHearsEditsButNotEachRowOfARestore)
{
    testing::RecordingObserver observer;
    buffer.AddObserver(observer);
    description.SetProjectName("P");
    description.SetDescriptionRow(0, 0x10, 3, false, "");
    EXPECT_EQ(observer.descriptionChanges, 2);
    for (int row = 1; row < 50; ++row) description.SetDescriptionRow(row, row, 3, false, "");
    observer.descriptionChanges = 0;
    buffer.ApplyEditorColours(EditorColours{});
    EXPECT_EQ(observer.descriptionChanges, 1);
    buffer.BeginUpdate();
    description.SetDescriptionRow(0, 0x20, 3, false, "");
    buffer.EndUpdate();
    EXPECT_EQ(observer.descriptionChanges, 2);
}

} // namespace
} // namespace zav
