#include "buffer/undo_stack.h"

#include <cstdint>
#include <vector>

#include <gtest/gtest.h>

#include "buffer/memory_buffer.h"
#include "recording_observer.h"

namespace zav {
namespace {

class UndoStackTest : public ::testing::Test {
protected:
    // One editing action as the editor performs it: record, then write.
    void Edit(const std::vector<std::pair<std::int32_t, std::uint8_t>>& writes)
    {
        stack.BeginGroup();
        for (const auto& [address, value] : writes) {
            stack.Push(address);
            buffer.SetByte(address, value);
        }
        stack.EndGroup();
    }

    MemoryBuffer buffer;
    UndoStack& stack = buffer.Undo();
};

TEST_F(UndoStackTest, EntriesPackValueStateAndAddress)
{
    buffer.SetByte(0x1234, 0xAB);
    buffer.SetReadOnly(0x1234, true);
    stack.BeginGroup();
    stack.Push(0x1234);
    stack.EndGroup();
    EXPECT_EQ(stack.EntryCount(), 1);
    buffer.SetCellState(0x1234, 0x00);
    EXPECT_EQ(stack.Undo(), 0x1234);
    EXPECT_EQ(buffer.GetCellState(0x1234), 0x80 | 3);
    EXPECT_EQ(buffer.GetByte(0x1234), 0xAB);
}

TEST_F(UndoStackTest, TwoKeystrokesUndoOneAtATime)
{
    buffer.Descriptions().SetDescriptionRow(0, 0x40, 12, false, "");
    Edit({{0x40, 0x0A}});
    Edit({{0x40, 0xAB}});
    EXPECT_EQ(stack.GroupCount(), 2);
    EXPECT_EQ(buffer.GetCellColour(0x40), 0x0000FFu);

    EXPECT_EQ(stack.Undo(), 0x40);
    EXPECT_EQ(buffer.GetByte(0x40), 0x0A);
    EXPECT_EQ(stack.Undo(), 0x40);
    EXPECT_EQ(buffer.GetByte(0x40), 0x00);
    EXPECT_EQ(buffer.GetCellState(0x40), 12) << "the colour from the description comes back";
    EXPECT_TRUE(stack.IsEmpty());
    EXPECT_EQ(stack.Undo(), -1);
}

TEST_F(UndoStackTest, OneGroupUndoesNewestFirstAndReturnsTheFirstCell)
{
    Edit({{0x10, 1}, {0x11, 2}, {0x20, 3}, {0x21, 4}});
    Edit({{0x10, 9}});
    EXPECT_EQ(stack.Undo(), 0x10);
    EXPECT_EQ(stack.Undo(), 0x10);
    for (std::int32_t address : {0x10, 0x11, 0x20, 0x21}) EXPECT_EQ(buffer.GetByte(address), 0);

    // The same cell twice in one action: newest first leaves the oldest value.
    Edit({{0x30, 5}, {0x30, 6}});
    stack.Undo();
    EXPECT_EQ(buffer.GetByte(0x30), 0);
    EXPECT_EQ(buffer.GetCellState(0x30), 0x30);
}

TEST_F(UndoStackTest, CellThatBecameReadOnlyKeepsItsValueButGetsItsStateBack)
{
    Edit({{0x50, 0x11}, {0x51, 0x22}});
    buffer.SetReadOnly(0x50, true);
    buffer.SetUnimplemented(0x51, true);
    stack.Undo();
    EXPECT_EQ(buffer.GetByte(0x50), 0x11);
    EXPECT_EQ(buffer.GetByte(0x51), 0x22);
    EXPECT_EQ(buffer.GetCellState(0x50), 0x30) << "the old state clears the read-only flag again";
    EXPECT_EQ(buffer.GetCellState(0x51), 0x30);
}

TEST_F(UndoStackTest, OutOfRangePushesRecordNothing)
{
    stack.BeginGroup();
    for (std::int32_t address : {-1, 0x10000, INT32_MIN, INT32_MAX}) stack.Push(address);
    stack.EndGroup();
    EXPECT_TRUE(stack.IsEmpty());
    EXPECT_EQ(stack.EntryCount(), 0);
    EXPECT_FALSE(stack.IsUndoAvailable());
}

TEST_F(UndoStackTest, WholeBufferFillUndoesInOneStep)
{
    std::vector<std::pair<std::int32_t, std::uint8_t>> fill;
    for (std::int32_t address = 0; address <= 0xFFFF; ++address) fill.emplace_back(address, 0xFF);
    Edit(fill);
    EXPECT_EQ(stack.EntryCount(), UndoStack::kCapacity);
    EXPECT_EQ(stack.Undo(), 0);
    EXPECT_TRUE(stack.IsEmpty());
    for (std::int32_t address = 0; address <= 0xFFFF; ++address) {
        ASSERT_EQ(buffer.GetByte(address), 0);
        ASSERT_EQ(buffer.GetCellState(address), 0x30);
    }
}

TEST_F(UndoStackTest, FullStackDropsTheOldestGroups)
{
    Edit({{1, 1}, {2, 2}});
    for (std::int32_t action = 0; action < 0xFFFE; ++action) Edit({{0x100 + action % 0xE000, 7}});
    EXPECT_EQ(stack.EntryCount(), UndoStack::kCapacity);
    EXPECT_EQ(stack.GroupCount(), 0xFFFF);

    Edit({{3, 3}});
    EXPECT_EQ(stack.GroupCount(), 0xFFFF) << "the oldest group of two went";
    EXPECT_EQ(stack.EntryCount(), UndoStack::kCapacity - 1);

    // A large action pushes out as many old groups as it needs.
    std::vector<std::pair<std::int32_t, std::uint8_t>> fill;
    for (std::int32_t address = 0; address < 1000; ++address) fill.emplace_back(0xF000 + address, 0x44);
    Edit(fill);
    EXPECT_EQ(stack.EntryCount(), UndoStack::kCapacity);
    EXPECT_EQ(stack.Undo(), 0xF000);
    EXPECT_EQ(buffer.GetByte(0xF3E7), 0);
    EXPECT_EQ(stack.Undo(), 3);
    EXPECT_EQ(buffer.GetByte(3), 0);

    int groups = 0;
    while (!stack.IsEmpty()) {
        stack.Undo();
        ++groups;
    }
    EXPECT_EQ(stack.EntryCount(), 0);
    EXPECT_EQ(buffer.GetByte(1), 1) << "the dropped action can no longer be undone";
    EXPECT_EQ(buffer.GetByte(2), 2);
    EXPECT_EQ(groups, 0xFFFF - 1000);
}

TEST_F(UndoStackTest, ActionLargerThanTheStackIsNotRecordedAtAll)
{
    Edit({{5, 5}});
    stack.BeginGroup();
    for (int pass = 0; pass < 2; ++pass) {
        for (std::int32_t address = 0; address <= 0xFFFF; ++address) {
            stack.Push(address);
            buffer.SetByte(address, static_cast<std::uint8_t>(pass + 1));
        }
    }
    stack.EndGroup();
    EXPECT_TRUE(stack.IsEmpty());
    EXPECT_EQ(stack.EntryCount(), 0);
    EXPECT_FALSE(stack.IsUndoAvailable());

    Edit({{6, 0x66}});
    EXPECT_EQ(stack.Undo(), 6);
    EXPECT_EQ(buffer.GetByte(6), 2);
}

TEST_F(UndoStackTest, GroupsLeftOpenStayConsistent)
{
    stack.Push(0x70); // without BeginGroup
    buffer.SetByte(0x70, 1);
    stack.BeginGroup(); // closes the first as its own action
    stack.Push(0x71);
    buffer.SetByte(0x71, 2);
    EXPECT_EQ(stack.Undo(), 0x71) << "Undo closes the open group first";
    EXPECT_EQ(stack.Undo(), 0x70);
    EXPECT_TRUE(stack.IsEmpty());
    EXPECT_EQ(stack.EntryCount(), 0);
    stack.BeginGroup();
    stack.EndGroup();
    EXPECT_TRUE(stack.IsEmpty()) << "an empty group records nothing";
}

TEST_F(UndoStackTest, ObserverHearsAvailabilityChangesAndOneRangePerUndo)
{
    testing::RecordingObserver observer;
    buffer.AddObserver(observer);
    Edit({{0x10, 1}});
    Edit({{0x20, 2}, {0x18, 3}});
    EXPECT_EQ(observer.undo, (std::vector<bool>{true}));

    observer.cells.clear();
    stack.Undo();
    EXPECT_EQ(observer.cells, (std::vector<std::pair<std::int32_t, std::int32_t>>{{0x18, 0x20}}));
    EXPECT_EQ(observer.undo, (std::vector<bool>{true}));
    stack.Undo();
    EXPECT_EQ(observer.undo, (std::vector<bool>{true, false}));

    Edit({{0x10, 1}});
    buffer.BeginUpdate();
    buffer.EndUpdate();
    EXPECT_EQ(observer.undo, (std::vector<bool>{true, false, true, false}));
    stack.Clear();
    EXPECT_EQ(observer.undo.size(), 4u) << "no repeat while already empty";
}

TEST_F(UndoStackTest, RedoReplaysEachUndoneActionAsOneUndoableStep)
{
    Edit({{0x10, 0xA1}});
    Edit({{0x20, 0xB2}, {0x18, 0xB3}});
    const std::uint8_t editedState = buffer.GetCellState(0x20);
    stack.Undo();
    stack.Undo();
    ASSERT_EQ(buffer.GetByte(0x10), 0);

    EXPECT_EQ(stack.Redo(), 0x10);
    EXPECT_EQ(buffer.GetByte(0x10), 0xA1);
    EXPECT_EQ(buffer.GetByte(0x20), 0) << "one redo step per undo step";
    EXPECT_EQ(stack.Redo(), 0x20) << "the first cell the action touched";
    EXPECT_EQ(buffer.GetByte(0x18), 0xB3);
    EXPECT_EQ(buffer.GetCellState(0x20), editedState);
    EXPECT_TRUE(stack.IsRedoEmpty());
    EXPECT_EQ(stack.Redo(), -1);

    stack.Undo();
    EXPECT_EQ(buffer.GetByte(0x18), 0) << "a redone action undoes like the original";
    EXPECT_EQ(buffer.GetByte(0x10), 0xA1);
}

TEST_F(UndoStackTest, RedoKeepsReadOnlyCellsAsTheyWere)
{
    buffer.SetByte(0x30, 0x55);
    buffer.SetReadOnly(0x30, true);
    const std::uint8_t state = buffer.GetCellState(0x30);
    Edit({{0x30, 0x99}, {0x31, 0x77}});
    stack.Undo();
    stack.Redo();
    EXPECT_EQ(buffer.GetByte(0x30), 0x55);
    EXPECT_EQ(buffer.GetCellState(0x30), state);
    EXPECT_EQ(buffer.GetByte(0x31), 0x77);
}

TEST_F(UndoStackTest, AnEditOrABulkUpdateDropsWhatCouldBeRedone)
{
    Edit({{0x10, 1}});
    Edit({{0x11, 2}});
    stack.Undo();
    stack.Undo();
    stack.Redo();
    EXPECT_FALSE(stack.IsRedoEmpty()) << "redoing is no new edit";
    Edit({{0x40, 4}});
    EXPECT_TRUE(stack.IsRedoEmpty());

    stack.Undo();
    buffer.BeginUpdate();
    buffer.EndUpdate();
    EXPECT_TRUE(stack.IsRedoEmpty());
    EXPECT_TRUE(stack.IsEmpty());
}

} // namespace
} // namespace zav
