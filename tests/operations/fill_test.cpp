#include "operations/fill_dialog.h"

#include <gtest/gtest.h>

#include "buffer/memory_buffer.h"
#include "operations/selection.h"
#include "support/recording_messages.h"

namespace zav {
namespace {

class FillTest : public ::testing::Test {
protected:
    std::optional<std::int32_t> Fill(const std::string& value, const std::string& from, const std::string& to,
                                     const Selection& selection = Selection::OfAddress(0))
    {
        dialog.Value().SetText(value);
        dialog.From().SetText(from);
        dialog.To().SetText(to);
        return dialog.Ok(buffer, selection, boxes);
    }

    MemoryBuffer buffer;
    FillDialog dialog;
    testing::RecordingBoxes boxes;
};

TEST_F(FillTest, PresetShowsTheCursorCell)
{
    buffer.SetByte(0x0120, 0x5A);
    dialog.Preset(buffer, 0x0120);
    EXPECT_EQ(dialog.Value().Text(), "0x5A");
    EXPECT_EQ(dialog.From().Text(), "0x0120");
    EXPECT_EQ(dialog.To().Text(), "0x0120");
}

TEST_F(FillTest, AReversedRangeIsFilledAndTheCursorEndsOnItsLastCell)
{
    EXPECT_EQ(Fill("0x1FF", "0x0120", "0x0110"), 0x0120);
    EXPECT_EQ(buffer.GetByte(0x010F), 0x00);
    for (std::int32_t a = 0x0110; a <= 0x0120; ++a) EXPECT_EQ(buffer.GetByte(a), 0xFF);
    EXPECT_EQ(buffer.GetByte(0x0121), 0x00);
    EXPECT_EQ(dialog.Value().History(), std::vector<std::string>{"0x1FF"});
}

TEST_F(FillTest, OnlyTheLowEightBitsOfTheValueCount)
{
    buffer.SetByte(0x10, 0x33);
    EXPECT_EQ(Fill("256", "0x10", "0x10"), 0x10);
    EXPECT_EQ(buffer.GetByte(0x10), 0x00);
}

TEST_F(FillTest, ProtectedCellsKeepTheirValuesAndOneUndoRestoresTheRest)
{
    for (std::int32_t a = 0x200; a <= 0x20F; ++a) buffer.SetByte(a, static_cast<std::uint8_t>(a));
    buffer.SetReadOnly(0x204, true);
    buffer.SetUnimplemented(0x208, true);
    buffer.Undo().Clear();
    ASSERT_TRUE(Fill("0xEE", "0x200", "0x20F"));
    EXPECT_EQ(buffer.GetByte(0x203), 0xEE);
    EXPECT_EQ(buffer.GetByte(0x204), 0x04);
    EXPECT_EQ(buffer.GetByte(0x208), 0x08);
    EXPECT_EQ(buffer.Undo().GroupCount(), 1);
    buffer.Undo().Undo();
    for (std::int32_t a = 0x200; a <= 0x20F; ++a) EXPECT_EQ(buffer.GetByte(a), static_cast<std::uint8_t>(a));
    EXPECT_TRUE(buffer.IsReadOnly(0x204));
    EXPECT_TRUE(buffer.IsUnimplemented(0x208));
}

TEST_F(FillTest, ASelectionIsFilledAndItsAddressFieldsAreStillChecked)
{
    const Selection block = Selection::Spanning(5, 0x10, 7, 0x11);
    EXPECT_EQ(Fill("0x11", "0x0", "0x0", block), 0x0116);
    int changed = 0;
    for (std::int32_t a = 0; a <= 0xFFFF; ++a) changed += buffer.GetByte(a) == 0x11 ? 1 : 0;
    EXPECT_EQ(changed, 6);
    EXPECT_EQ(buffer.GetByte(0x0104), 0x11);
    EXPECT_EQ(buffer.GetByte(0x0116), 0x11);

    EXPECT_FALSE(Fill("0x22", "0x0", "0x10000", block));
    EXPECT_EQ(buffer.GetByte(0x0104), 0x11);
    EXPECT_EQ(boxes.Texts(), std::vector<std::string>{"Too big Address value"});
}

TEST_F(FillTest, RefusedInputChangesNothingAndIsNotRemembered)
{
    EXPECT_FALSE(Fill("FF", "0x0", "0x10"));
    EXPECT_FALSE(Fill("-1", "0x0", "0x10"));
    EXPECT_FALSE(Fill("0x1", "0x0", "0x10000"));
    EXPECT_EQ(boxes.Texts(),
              (std::vector<std::string>{"To Enter Address Value in Hexadecimal format prefix 0x must be use.",
                                        "Too big Address value"}));
    EXPECT_TRUE(buffer.Undo().IsEmpty());
    EXPECT_TRUE(dialog.Value().History().empty());
}

TEST_F(FillTest, WholeBufferFillIsOneUndoStep)
{
    ASSERT_EQ(Fill("0xA5", "0", "0xFFFF"), 0xFFFF);
    EXPECT_EQ(buffer.GetByte(0x8000), 0xA5);
    buffer.Undo().Undo();
    EXPECT_EQ(buffer.GetByte(0x8000), 0x00);
    EXPECT_EQ(buffer.GetByte(0xFFFF), 0x00);
    EXPECT_TRUE(buffer.Undo().IsEmpty());
}

} // namespace
} // namespace zav
