#include "operations/key_entry.h"

#include <gtest/gtest.h>

#include "buffer/memory_buffer.h"
#include "operations/cell_info.h"
#include "operations/editor_cursor.h"

namespace zav {
namespace {

class KeyEntryTest : public ::testing::Test {
protected:
    MemoryBuffer buffer;
    EditorCursor cursor;
    KeyEntry keys;
};

TEST_F(KeyEntryTest, TwoDigitsMakeAByteInTwoUndoStepsAndMoveOn)
{
    EXPECT_EQ(keys.TypeHexKey('4', buffer, cursor), HexKeyOutcome::FirstDigit);
    EXPECT_EQ(buffer.GetByte(0), 0x40);
    EXPECT_EQ(cursor.Address(), 0);
    EXPECT_TRUE(keys.SecondDigitPending());
    EXPECT_EQ(keys.TypeHexKey('1', buffer, cursor), HexKeyOutcome::SecondDigit);
    EXPECT_EQ(buffer.GetByte(0), 0x41);
    EXPECT_EQ(cursor.Address(), 1);
    EXPECT_EQ(buffer.Undo().GroupCount(), 2);

    buffer.Undo().Undo();
    EXPECT_EQ(buffer.GetByte(0), 0x40);
    buffer.Undo().Undo();
    EXPECT_EQ(buffer.GetByte(0), 0x00);
}

TEST_F(KeyEntryTest, DigitsKeepTheOtherHalfOfTheByte)
{
    buffer.SetByte(0, 0x5C);
    keys.TypeHexKey('a', buffer, cursor);
    EXPECT_EQ(buffer.GetByte(0), 0xAC);
    keys.TypeHexKey('F', buffer, cursor);
    EXPECT_EQ(buffer.GetByte(0), 0xAF);
}

TEST_F(KeyEntryTest, ANonDigitChangesNothingNotEvenThePendingDigit)
{
    keys.TypeHexKey('7', buffer, cursor);
    for (const char key : {'G', 'g', ' ', 'x', '\r'}) {
        EXPECT_EQ(keys.TypeHexKey(key, buffer, cursor), HexKeyOutcome::NotADigit);
    }
    EXPECT_TRUE(keys.SecondDigitPending());
    EXPECT_EQ(buffer.GetByte(0), 0x70);
    EXPECT_EQ(buffer.Undo().GroupCount(), 1);
    keys.TypeHexKey('3', buffer, cursor);
    EXPECT_EQ(buffer.GetByte(0), 0x73);
}

TEST_F(KeyEntryTest, ClearingThePendingDigitStartsANewByte)
{
    keys.TypeHexKey('1', buffer, cursor);
    cursor.SelectAddress(0x20);
    keys.ClearPendingDigit();
    keys.TypeHexKey('2', buffer, cursor);
    EXPECT_EQ(buffer.GetByte(0x20), 0x20);
    EXPECT_EQ(cursor.Address(), 0x20);
}

TEST_F(KeyEntryTest, TypingIntoTheLastCellKeepsTheCursorThere)
{
    cursor.SelectAddress(0xFFFF);
    keys.TypeHexKey('1', buffer, cursor);
    keys.TypeHexKey('2', buffer, cursor);
    EXPECT_EQ(buffer.GetByte(0xFFFF), 0x12);
    EXPECT_EQ(cursor.Address(), 0xFFFF);
    EXPECT_FALSE(keys.SecondDigitPending());
    // The next digit starts the byte over, on the same cell.
    keys.TypeHexKey('3', buffer, cursor);
    EXPECT_EQ(buffer.GetByte(0xFFFF), 0x32);
    keys.TypeCharKey('A', buffer, cursor);
    EXPECT_EQ(buffer.GetByte(0xFFFF), 0x41);
    EXPECT_EQ(cursor.Address(), 0xFFFF);
}

TEST_F(KeyEntryTest, ARefusedWriteStillLeavesAnUndoStepThatRestoresTheSameValue)
{
    buffer.SetByte(0x10, 0x99);
    buffer.SetReadOnly(0x10, true);
    cursor.SelectAddress(0x10);
    keys.TypeHexKey('1', buffer, cursor);
    keys.TypeHexKey('2', buffer, cursor);
    EXPECT_EQ(buffer.GetByte(0x10), 0x99);
    EXPECT_EQ(cursor.Address(), 0x11);
    EXPECT_EQ(buffer.Undo().GroupCount(), 2);
    EXPECT_EQ(buffer.Undo().Undo(), 0x10);
    EXPECT_EQ(buffer.GetByte(0x10), 0x99);
    EXPECT_TRUE(buffer.IsReadOnly(0x10));
}

TEST_F(KeyEntryTest, CharacterEntryStoresAnyCodeAndWrapsAtTheRowEnd)
{
    cursor.SelectAddress(0x000F);
    keys.TypeCharKey('A', buffer, cursor);
    EXPECT_EQ(buffer.GetByte(0x000F), 0x41);
    EXPECT_EQ(cursor.Address(), 0x0010);
    EXPECT_EQ(cursor.CharColumn(), 0);
    keys.TypeCharKey('\t', buffer, cursor);
    keys.TypeCharKey(static_cast<char>(0xE9), buffer, cursor);
    EXPECT_EQ(buffer.GetByte(0x0010), 0x09);
    EXPECT_EQ(buffer.GetByte(0x0011), 0xE9);
    EXPECT_EQ(buffer.Undo().GroupCount(), 3);
}

TEST(CellInfoTest, FivePanelsDescribeTheCell)
{
    MemoryBuffer buffer;
    buffer.SetByte(0x0ABC, 0xA5);
    const CellInfo info = ShowCellInfo(buffer, 0x0ABC, "Terminal");
    EXPECT_EQ(info.panels[0], " 0ABC");
    EXPECT_EQ(info.panels[1], "Dec: 165");
    EXPECT_EQ(info.panels[2], "Bin: 10100101");
    EXPECT_EQ(info.panels[3], "Read/Write");
    EXPECT_EQ(info.panels[4], "Char Set: Terminal");

    buffer.SetReadOnly(0x0ABC, true);
    EXPECT_EQ(ShowCellInfo(buffer, 0x0ABC, "Terminal").panels[3], "Read Only");
    // Unimplemented wins over read-only.
    buffer.SetUnimplemented(0x0ABC, true);
    EXPECT_EQ(ShowCellInfo(buffer, 0x0ABC, "Terminal").panels[3], "Unimplemented");
    EXPECT_EQ(ShowCellInfo(buffer, 0, "System").panels[1], "Dec: 0");
}

} // namespace
} // namespace zav
