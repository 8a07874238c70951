#include "operations/cell_dialog.h"

#include <gtest/gtest.h>

#include "buffer/memory_buffer.h"
#include "buffer/numeric_helpers.h"
#include "support/recording_messages.h"

namespace zav {
namespace {

constexpr PaletteIndex kRed = 3;

class CellDialogTest : public ::testing::Test {
protected:
    MemoryBuffer buffer;
    CellDialog dialog;
    testing::RecordingBoxes boxes;

    bool Confirm(const std::string& address, const std::string& value, int colour, bool readOnly,
                 const std::string& comment = {})
    {
        dialog.Show(buffer, 0);
        dialog.Address().SetText(address);
        dialog.Value().SetText(value);
        dialog.SetColourIndex(colour);
        dialog.SetReadOnly(readOnly);
        dialog.Comment().SetText(comment);
        return dialog.Ok(buffer, 0, boxes);
    }
};

TEST_F(CellDialogTest, ShowingReadsTheRowAndItsCell)
{
    buffer.Descriptions().SetDescriptionRow(0, 0x0120, 12, true, "port A");
    buffer.BeginUpdate();
    buffer.SetByte(0x0120, 0x5A);
    buffer.EndUpdate();
    dialog.Show(buffer, 0);
    EXPECT_EQ(dialog.Address().Text(), "0x0120");
    EXPECT_EQ(dialog.Value().Text(), "0x5A");
    EXPECT_EQ(dialog.ColourIndex(), 12);
    EXPECT_TRUE(dialog.ReadOnly());
    EXPECT_EQ(dialog.Comment().Text(), "port A");
}

TEST_F(CellDialogTest, ConfirmingWritesValueAccessColourAndRowWithoutAnUndoStep)
{
    ASSERT_TRUE(Confirm("0x0100", "0x1FF", kRed, true, "flag"));
    EXPECT_EQ(buffer.GetByte(0x0100), 0xFF);
    EXPECT_TRUE(buffer.IsReadOnly(0x0100));
    EXPECT_EQ(buffer.GetCellColour(0x0100), ColourFromIndex(kRed));
    const CellDescription row = buffer.Descriptions().GetDescriptionRow(0);
    EXPECT_EQ(row.address, 0x0100);
    EXPECT_EQ(row.colourIndex, kRed);
    EXPECT_TRUE(row.readOnly);
    EXPECT_EQ(row.note, "flag");
    EXPECT_TRUE(buffer.Undo().IsEmpty());
    EXPECT_TRUE(boxes.shown.empty());

    // Read/Write makes the cell writable again; the value is written although it was read-only.
    ASSERT_TRUE(Confirm("0x0100", "0x12", kRed, false));
    EXPECT_FALSE(buffer.IsReadOnly(0x0100));
    EXPECT_EQ(buffer.GetByte(0x0100), 0x12);
}

TEST_F(CellDialogTest, ADecimalAddressStaysDecimalInTheRow)
{
    ASSERT_TRUE(Confirm("256", "7", 0, false));
    EXPECT_EQ(buffer.Descriptions().RowAddressText(0), "256");
    EXPECT_EQ(buffer.GetByte(256), 7);
}

TEST_F(CellDialogTest, RefusedInputLeavesEverythingAndTheDialogOpen)
{
    EXPECT_FALSE(Confirm("0x10000", "1", kRed, true));
    EXPECT_EQ(boxes.Texts(), std::vector<std::string>{"Too big Address value"});
    EXPECT_FALSE(Confirm("0x1G", "1", kRed, true));
    EXPECT_EQ(boxes.Texts().back(), "To Enter Address Value in Hexadecimal format prefix 0x must be use.");
    EXPECT_FALSE(Confirm("0x0100", "zz", kRed, true));
    // A negative number is refused without a message.
    const std::size_t shown = boxes.shown.size();
    EXPECT_FALSE(Confirm("-1", "1", kRed, true));
    EXPECT_EQ(boxes.shown.size(), shown);
    EXPECT_FALSE(buffer.IsReadOnly(0x0100));
    EXPECT_TRUE(buffer.Descriptions().IsDescriptionEmpty());
    // Refused texts do not enter the histories.
    EXPECT_TRUE(dialog.Address().History().empty());
}

TEST_F(CellDialogTest, HistoriesCollectConfirmedTextsOnce)
{
    ASSERT_TRUE(Confirm("0x0001", "0x01", 0, false, "a"));
    ASSERT_TRUE(Confirm("0x0001", "0x02", 0, false, "a"));
    EXPECT_EQ(dialog.Address().History(), std::vector<std::string>{"0x0001"});
    EXPECT_EQ(dialog.Value().History(), (std::vector<std::string>{"0x01", "0x02"}));
    EXPECT_EQ(dialog.Comment().History(), std::vector<std::string>{"a"});
}

TEST_F(CellDialogTest, TypingAnAddressRefreshesTheCellFieldsButNotTheComment)
{
    buffer.SetByte(0x0010, 0x33);
    buffer.SetReadOnly(0x0010, true);
    dialog.Show(buffer, 0);
    dialog.Comment().SetText("kept");
    dialog.AddressEdited(buffer, "0x0010");
    EXPECT_EQ(dialog.Value().Text(), "0x33");
    EXPECT_TRUE(dialog.ReadOnly());
    EXPECT_EQ(dialog.ColourIndex(), IndexFromColour(buffer.Colours().edited));
    EXPECT_EQ(dialog.Comment().Text(), "kept");

    dialog.AddressEdited(buffer, "0x10000");
    EXPECT_EQ(dialog.Address().Text(), "0x10000");
    EXPECT_EQ(dialog.Value().Text(), "0x33");
    dialog.AddressEdited(buffer, "0x");
    EXPECT_TRUE(dialog.ReadOnly());
}

TEST_F(CellDialogTest, AnUnimplementedCellKeepsValueAndColourButTakesTheAccess)
{
    buffer.BeginUpdate();
    buffer.SetByte(0x0200, 0x44);
    buffer.SetUnimplemented(0x0200, true);
    buffer.EndUpdate();
    const Colour before = buffer.GetCellColour(0x0200);
    ASSERT_TRUE(Confirm("0x0200", "0x99", kRed, true));
    EXPECT_EQ(buffer.GetByte(0x0200), 0x44);
    EXPECT_EQ(buffer.GetCellColour(0x0200), before);
    EXPECT_TRUE(buffer.IsReadOnly(0x0200));
}

} // namespace
} // namespace zav
