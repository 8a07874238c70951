#include "buffer/memory_buffer.h"

#include <cstdint>
#include <limits>
#include <utility>
#include <vector>

#include <gtest/gtest.h>

#include "buffer/numeric_helpers.h"
#include "recording_observer.h"
#include "support/recording_messages.h"

namespace zav {
namespace {

constexpr Colour kNotEdited = 0xFF0000;
constexpr Colour kEdited = 0x0000FF;
constexpr Colour kUnimplemented = 0xFFAAAA;

const std::int32_t kOutOfRange[] = {-1, 0x10000, std::numeric_limits<std::int32_t>::min(),
                                    std::numeric_limits<std::int32_t>::max()};

class MemoryBufferTest : public ::testing::Test {
protected:
    MemoryBuffer buffer;
};

TEST_F(MemoryBufferTest, NewBufferIsZeroImplementedWritableAndBlue)
{
    EXPECT_EQ(buffer.LastAddress(), 0xFFFF);
    for (std::int32_t address = 0; address <= buffer.LastAddress(); ++address) {
        ASSERT_EQ(buffer.GetByte(address), 0);
        ASSERT_EQ(buffer.GetCellState(address), 0x30);
    }
    EXPECT_FALSE(buffer.IsUnimplemented(0xFFFF));
    EXPECT_FALSE(buffer.IsReadOnly(0));
    EXPECT_EQ(buffer.GetCellColour(0x1234), kNotEdited);
    EXPECT_FALSE(buffer.InBulkUpdate());
    EXPECT_TRUE(buffer.Undo().IsEmpty());
    EXPECT_TRUE(buffer.Descriptions().IsDescriptionEmpty());
}

TEST_F(MemoryBufferTest, CreateGivesAWorkingBufferWithoutMessages)
{
    testing::RecordingBoxes boxes;
    auto created = MemoryBuffer::Create(boxes);
    ASSERT_NE(created, nullptr);
    EXPECT_TRUE(boxes.shown.empty());
    created->SetByte(5, 9);
    EXPECT_EQ(created->GetByte(5), 9);
}

TEST_F(MemoryBufferTest, OutOfRangeAddressesReadAsDefaultsAndWriteNothing)
{
    for (std::int32_t address : kOutOfRange) {
        buffer.SetByte(address, 0x55);
        buffer.SetUnimplemented(address, true);
        buffer.SetUnimplemented(address, false);
        buffer.SetReadOnly(address, false);
        buffer.SetCellColour(address, 0x00FF00);
        buffer.SetCellState(address, 0x00);
        EXPECT_EQ(buffer.GetByte(address), 0);
        EXPECT_TRUE(buffer.IsReadOnly(address));
        EXPECT_TRUE(buffer.IsUnimplemented(address));
        EXPECT_EQ(buffer.GetCellColour(address), 0u);
        EXPECT_EQ(buffer.GetCellState(address), 0);
    }
    EXPECT_EQ(buffer.GetByte(0), 0);
    EXPECT_EQ(buffer.GetByte(0xFFFF), 0);
    EXPECT_EQ(buffer.GetCellState(0), 0x30);
    EXPECT_EQ(buffer.GetCellState(0xFFFF), 0x30);
}

TEST_F(MemoryBufferTest, EditingWriteMarksTheCellEdited)
{
    buffer.SetByte(0x0100, 0x55);
    EXPECT_EQ(buffer.GetByte(0x0100), 0x55);
    EXPECT_EQ(buffer.GetCellColour(0x0100), kEdited);
    buffer.BeginUpdate();
    buffer.EndUpdate();
    EXPECT_EQ(buffer.GetByte(0x0100), 0x55);
    EXPECT_EQ(buffer.GetCellColour(0x0100), kNotEdited);
}

TEST_F(MemoryBufferTest, ReadOnlyCellsRefuseEditsButTakeBulkWrites)
{
    buffer.SetCellColour(0x10, 0x00FF00);
    buffer.SetReadOnly(0x10, true);
    buffer.SetByte(0x10, 0x11);
    EXPECT_EQ(buffer.GetByte(0x10), 0);
    EXPECT_EQ(buffer.GetCellColour(0x10), 0x00FF00u) << "a refused write leaves the colour";

    buffer.BeginUpdate();
    buffer.SetByte(0x10, 0x22);
    EXPECT_EQ(buffer.GetByte(0x10), 0x22);
    EXPECT_EQ(buffer.GetCellColour(0x10), 0x00FF00u) << "bulk writes mark nothing as edited";
    buffer.EndUpdate();
    EXPECT_TRUE(buffer.IsReadOnly(0x10));
    EXPECT_EQ(buffer.GetCellColour(0x10), kNotEdited);
}

TEST_F(MemoryBufferTest, UnimplementedCellsRefuseEveryWrite)
{
    buffer.SetUnimplemented(0x20, true);
    buffer.SetByte(0x20, 0x11);
    EXPECT_EQ(buffer.GetByte(0x20), 0);
    buffer.BeginUpdate();
    buffer.SetByte(0x20, 0x22);
    buffer.EndUpdate();
    EXPECT_EQ(buffer.GetByte(0x20), 0);
    EXPECT_EQ(buffer.GetCellColour(0x20), kUnimplemented);
    EXPECT_FALSE(buffer.IsReadOnly(0x20)) << "unimplemented is not read-only";
}

TEST_F(MemoryBufferTest, MarkingUnimplementedColoursBeforeAndAfterTheFlag)
{
    buffer.SetReadOnly(0x30, true);
    buffer.SetUnimplemented(0x30, true);
    EXPECT_EQ(buffer.GetCellState(0x30), 0x80 | 0x40 | 58);
    buffer.SetCellColour(0x30, 0x0000FF);
    EXPECT_EQ(buffer.GetCellColour(0x30), kUnimplemented);

    // Marking an already unimplemented cell again goes through SetCellColour, which
    // leaves it alone.
    buffer.SetCellState(0x30, 0x40 | 12);
    buffer.SetUnimplemented(0x30, true);
    EXPECT_EQ(buffer.GetCellState(0x30), 0x40 | 12);

    buffer.SetUnimplemented(0x30, false);
    EXPECT_EQ(buffer.GetCellState(0x30), 48);
    buffer.SetReadOnly(0x31, true);
    buffer.SetUnimplemented(0x31, false);
    EXPECT_EQ(buffer.GetCellState(0x31), 0x80 | 48) << "read-only survives";
}

TEST_F(MemoryBufferTest, CellColourIsReducedToPaletteLevels)
{
    buffer.SetCellColour(1, 0x7F7F7F);
    EXPECT_EQ(buffer.GetCellColour(1), 0x555555u);
    buffer.SetCellColour(1, 0xFFAAAA);
    EXPECT_EQ(buffer.GetCellState(1) & 0x3F, (3 << 4) | (2 << 2) | 2);
    buffer.SetReadOnly(1, true);
    for (int index = 0; index < 64; ++index) {
        buffer.SetCellColour(1, ColourFromIndex(static_cast<PaletteIndex>(index)));
        ASSERT_EQ(buffer.GetCellState(1), 0x80 | index);
        ASSERT_EQ(buffer.GetCellColour(1), ColourFromIndex(static_cast<PaletteIndex>(index)));
    }
    buffer.SetReadOnly(1, false);
    EXPECT_EQ(buffer.GetCellState(1), 63) << "the access flag leaves the colour alone";
}

TEST_F(MemoryBufferTest, BeginUpdateEmptiesTheUndoStackAndUpdatesDoNotNest)
{
    buffer.Undo().BeginGroup();
    buffer.Undo().Push(3);
    buffer.SetByte(3, 1);
    buffer.Undo().EndGroup();
    ASSERT_FALSE(buffer.Undo().IsEmpty());

    buffer.BeginUpdate();
    EXPECT_TRUE(buffer.Undo().IsEmpty());
    EXPECT_FALSE(buffer.Undo().IsUndoAvailable());
    buffer.BeginUpdate();
    EXPECT_TRUE(buffer.InBulkUpdate());
    buffer.EndUpdate();
    EXPECT_FALSE(buffer.InBulkUpdate());
    buffer.SetReadOnly(4, true);
    buffer.SetByte(4, 9);
    EXPECT_EQ(buffer.GetByte(4), 0) << "the first EndUpdate closed the update";
}

TEST_F(MemoryBufferTest, EndUpdateWithoutBeginRecoloursImplementedCellsOnly)
{
    buffer.SetByte(7, 1);
    buffer.SetUnimplemented(8, true);
    buffer.SetCellState(9, 0x40 | 5);
    buffer.EndUpdate();
    EXPECT_FALSE(buffer.InBulkUpdate());
    EXPECT_EQ(buffer.GetCellColour(7), kNotEdited);
    EXPECT_EQ(buffer.GetCellColour(8), kUnimplemented);
    EXPECT_EQ(buffer.GetCellState(9), 0x40 | 5) << "unimplemented cells keep their colour";
}

TEST_F(MemoryBufferTest, DeviceMapPatternLeavesOnlyTheRangesImplemented)
{
    buffer.SetByte(0x00FF, 0x12);
    buffer.Descriptions().ClearDescription();
    buffer.BeginUpdate();
    for (std::int32_t address = 0; address <= buffer.LastAddress(); ++address) {
        buffer.SetUnimplemented(address, false);
        buffer.SetByte(address, 0x00);
        buffer.SetUnimplemented(address, true);
    }
    for (std::int32_t address = 0x0100; address <= 0x01FF; ++address) buffer.SetUnimplemented(address, false);
    buffer.EndUpdate();

    EXPECT_TRUE(buffer.IsUnimplemented(0x00FF));
    EXPECT_EQ(buffer.GetCellColour(0x00FF), kUnimplemented);
    EXPECT_EQ(buffer.GetByte(0x00FF), 0);
    EXPECT_FALSE(buffer.IsUnimplemented(0x0100));
    EXPECT_EQ(buffer.GetCellColour(0x0100), kNotEdited);
    EXPECT_TRUE(buffer.IsUnimplemented(0x0200));
    EXPECT_TRUE(buffer.Undo().IsEmpty());
}

TEST_F(MemoryBufferTest, DescribedCellsKeepColourAndAccessAcrossEndUpdate)
{
    Description& description = buffer.Descriptions();
    description.SetDescriptionRow(0, 0x0100, 12, true, "green and locked");
    description.SetDescriptionRow(1, 0x0200, 60, false, "grey");
    buffer.SetByte(0x0200, 0x66);
    buffer.SetByte(0x0300, 0x77);

    buffer.BeginUpdate();
    buffer.SetByte(0x0100, 0x55);
    buffer.EndUpdate();
    EXPECT_EQ(buffer.GetByte(0x0100), 0x55);
    EXPECT_EQ(buffer.GetCellState(0x0100), 0x80 | 12);
    EXPECT_EQ(buffer.GetCellState(0x0200), 3) << "a row keeps the colour its cell had at the update";
    EXPECT_EQ(buffer.GetCellColour(0x0300), kNotEdited);
    ASSERT_EQ(description.GetDescriptionRowCount(), 2);
    EXPECT_EQ(description.RowNote(0), "green and locked");
    EXPECT_EQ(description.RowAddressText(1), "0x0200");
}

TEST_F(MemoryBufferTest, OptionsRecolourUsesTheNewColoursAndKeepsDescribedCells)
{
    buffer.SetByte(0x40, 1);
    buffer.SetUnimplemented(0x41, true);
    buffer.Descriptions().SetDescriptionRow(0, 0x42, 12, true, "");
    buffer.SetUnimplemented(0x43, true);
    buffer.SetCellState(0x43, 0x40 | 1);

    EditorColours colours;
    colours.notEdited = 0x00AA00;
    colours.edited = 0xAA00AA;
    colours.unimplemented = 0x555555;
    buffer.ApplyEditorColours(colours);
    EXPECT_EQ(buffer.Colours(), colours);
    EXPECT_EQ(buffer.GetCellColour(0x40), 0x00AA00u) << "edited marks are lost";
    EXPECT_EQ(buffer.GetCellColour(0x41), 0x555555u);
    EXPECT_EQ(buffer.GetCellState(0x43), 0x40 | 21) << "unimplemented cells take the new colour";
    EXPECT_EQ(buffer.GetCellState(0x42), 0x80 | 12);
    EXPECT_EQ(buffer.GetCellColour(0x44), 0x00AA00u);

    buffer.SetByte(0x45, 1);
    EXPECT_EQ(buffer.GetCellColour(0x45), 0xAA00AAu);
    buffer.SetUnimplemented(0x46, true);
    EXPECT_EQ(buffer.GetCellColour(0x46), 0x555555u);
    buffer.SetUnimplemented(0x46, false);
    EXPECT_EQ(buffer.GetCellColour(0x46), 0x00AA00u);
    buffer.SetCellColour(0x47, 0x808080); // off the palette: stored as levels
    buffer.EndUpdate();
    EXPECT_EQ(buffer.GetCellColour(0x47), 0x00AA00u);
}

TEST_F(MemoryBufferTest, ObserverHearsSingleEditsAndOneRangePerBulkUpdate)
{
    testing::RecordingObserver observer;
    buffer.AddObserver(observer);
    buffer.SetByte(5, 1);
    buffer.SetReadOnly(6, true);
    buffer.SetByte(6, 1); // refused: no report
    EXPECT_EQ(observer.cells, (std::vector<std::pair<std::int32_t, std::int32_t>>{{5, 5}, {6, 6}}));

    observer.cells.clear();
    buffer.BeginUpdate();
    for (std::int32_t address = 0; address < 100; ++address) {
        buffer.SetByte(address, 2);
        buffer.SetUnimplemented(address, true);
    }
    EXPECT_TRUE(observer.cells.empty());
    buffer.EndUpdate();
    EXPECT_EQ(observer.cells, (std::vector<std::pair<std::int32_t, std::int32_t>>{{0, 0xFFFF}}));

    observer.cells.clear();
    {
        MemoryBuffer::ChangeBatch batch(buffer);
        buffer.SetByte(0x300, 1);
        buffer.SetByte(0x200, 1);
        MemoryBuffer::ChangeBatch inner(buffer);
        buffer.SetCellColour(0x250, 0);
    }
    EXPECT_EQ(observer.cells, (std::vector<std::pair<std::int32_t, std::int32_t>>{{0x200, 0x300}}));

    observer.cells.clear();
    buffer.Descriptions().SetDescriptionRow(0, 0x10, 3, false, "");
    buffer.ApplyEditorColours(EditorColours{});
    EXPECT_EQ(observer.cells,
              (std::vector<std::pair<std::int32_t, std::int32_t>>{{0x10, 0x10}, {0, 0xFFFF}}));
    buffer.RemoveObserver(observer);
    buffer.SetByte(1, 1);
    EXPECT_EQ(observer.cells.size(), 2u);
}

// The editor, the description window and the Undo action all listen to one buffer.
TEST_F(MemoryBufferTest, EveryObserverHearsEachChangeOnceInTheOrderAdded)
{
    testing::RecordingObserver editor;
    testing::RecordingObserver description;
    buffer.AddObserver(editor);
    buffer.AddObserver(description);
    buffer.AddObserver(editor);
    buffer.SetByte(7, 1);
    buffer.Descriptions().SetDescriptionRow(0, 0x20, 3, false, "");
    buffer.SetByte(8, 1);
    EXPECT_EQ(editor.cells, description.cells);
    EXPECT_EQ(editor.cells.front(), (std::pair<std::int32_t, std::int32_t>{7, 7}));
    EXPECT_EQ(editor.descriptionChanges, 1);
    EXPECT_EQ(description.descriptionChanges, 1);

    buffer.RemoveObserver(editor);
    buffer.SetByte(9, 1);
    EXPECT_EQ(description.cells.back(), (std::pair<std::int32_t, std::int32_t>{9, 9}));
    EXPECT_NE(editor.cells.back(), (std::pair<std::int32_t, std::int32_t>{9, 9}));
}

// A window that closes while it is told of a change detaches itself; the others still hear it.
TEST_F(MemoryBufferTest, ObserverMayDetachWhileNotified)
{
    struct ClosingObserver final : BufferObserver {
        MemoryBuffer* buffer = nullptr;
        int heard = 0;
        void CellsChanged(std::int32_t, std::int32_t) override
        {
            ++heard;
            buffer->RemoveObserver(*this);
        }
    } closing;
    closing.buffer = &buffer;
    testing::RecordingObserver staying;
    buffer.AddObserver(closing);
    buffer.AddObserver(staying);
    buffer.SetByte(1, 1);
    buffer.SetByte(2, 1);
    EXPECT_EQ(closing.heard, 1);
    EXPECT_EQ(staying.cells.size(), 2u);
}

} // namespace
} // namespace zav
