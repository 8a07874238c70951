#include "operations/data_inspector.h"

#include <gtest/gtest.h>

#include "buffer/memory_buffer.h"

namespace zav {
namespace {

class DataInspectorTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        const std::uint8_t bytes[] = {0xFE, 0xDC, 0x12, 0x34};
        buffer.BeginUpdate();
        for (int index = 0; index < 4; ++index) buffer.SetByte(0x100 + index, bytes[index]);
        buffer.EndUpdate();
    }

    MemoryBuffer buffer;
};

TEST_F(DataInspectorTest, EachRowReadsTheBytesAtTheCursorItsOwnWay)
{
    const std::pair<InspectorRow, const char*> cases[] = {
        {InspectorRow::Unsigned8, "254"},          {InspectorRow::Signed8, "-2"},
        {InspectorRow::Unsigned16Big, "65244"},    {InspectorRow::Unsigned16Little, "56574"},
        {InspectorRow::Signed16Big, "-292"},       {InspectorRow::Signed16Little, "-8962"},
        {InspectorRow::Unsigned32Big, "4275835444"}, {InspectorRow::Unsigned32Little, "873651454"},
        {InspectorRow::Signed32Big, "-19131852"},  {InspectorRow::Signed32Little, "873651454"},
        {InspectorRow::Binary, "11111110"},        {InspectorRow::Octal, "376"},
        {InspectorRow::Latin1, "\xFE"},
    };
    for (const auto& [row, text] : cases) {
        EXPECT_EQ(InspectorValueText(buffer, 0x100, row), text) << InspectorRowName(row);
    }
}

TEST_F(DataInspectorTest, RowsThatRunPastTheEndShowNothing)
{
    EXPECT_EQ(InspectorValueText(buffer, 0xFFFE, InspectorRow::Unsigned16Big), "0");
    EXPECT_EQ(InspectorValueText(buffer, 0xFFFE, InspectorRow::Unsigned32Big), "");
    EXPECT_EQ(InspectorValueText(buffer, 0xFFFF, InspectorRow::Signed16Little), "");
    EXPECT_FALSE(WriteInspectorValue(buffer, 0xFFFF, InspectorRow::Unsigned16Big, "1"));
}

TEST_F(DataInspectorTest, ATypedValueIsWrittenInTheRowsByteOrderAsOneUndoStep)
{
    struct Case {
        InspectorRow row;
        const char* text;
        std::uint8_t first, second;
    };
    for (const Case& c : {Case{InspectorRow::Unsigned16Big, "0x1234", 0x12, 0x34},
                          Case{InspectorRow::Unsigned16Little, "4660", 0x34, 0x12},
                          Case{InspectorRow::Signed16Big, "-2", 0xFF, 0xFE},
                          Case{InspectorRow::Signed16Little, "0xFFFE", 0xFE, 0xFF},
                          Case{InspectorRow::Signed32Big, "-1", 0xFF, 0xFF},
                          Case{InspectorRow::Binary, "101", 0x05, 0x00},
                          Case{InspectorRow::Octal, "377", 0xFF, 0x00},
                          Case{InspectorRow::Latin1, "A", 0x41, 0x00}}) {
        MemoryBuffer target;
        ASSERT_TRUE(WriteInspectorValue(target, 0x20, c.row, c.text)) << c.text;
        EXPECT_EQ(target.GetByte(0x20), c.first) << c.text;
        EXPECT_EQ(target.GetByte(0x21), c.second) << c.text;
        EXPECT_EQ(target.Undo().GroupCount(), 1) << c.text;
        target.Undo().Undo();
        EXPECT_EQ(target.GetByte(0x20), 0) << c.text;
    }
}

TEST_F(DataInspectorTest, TextsThatDoNotFitTheRowAndProtectedCellsWriteNothing)
{
    const std::pair<InspectorRow, const char*> refused[] = {
        {InspectorRow::Unsigned8, "256"},   {InspectorRow::Unsigned8, "-1"},     {InspectorRow::Signed8, "128"},
        {InspectorRow::Signed8, "-129"},    {InspectorRow::Unsigned16Big, ""},   {InspectorRow::Unsigned16Big, "12a"},
        {InspectorRow::Unsigned32Big, "0x100000000"}, {InspectorRow::Binary, "2"}, {InspectorRow::Binary, "111111111"},
        {InspectorRow::Octal, "400"},       {InspectorRow::Latin1, "AB"},
    };
    for (const auto& [row, text] : refused) {
        EXPECT_FALSE(WriteInspectorValue(buffer, 0x100, row, text)) << InspectorRowName(row) << " " << text;
    }
    buffer.SetReadOnly(0x103, true);
    EXPECT_FALSE(WriteInspectorValue(buffer, 0x100, InspectorRow::Unsigned32Big, "0"));
    buffer.SetUnimplemented(0x101, true);
    EXPECT_FALSE(WriteInspectorValue(buffer, 0x100, InspectorRow::Unsigned16Little, "0"));
    EXPECT_EQ(buffer.GetByte(0x100), 0xFE);
    EXPECT_TRUE(buffer.Undo().IsEmpty());
}

} // namespace
} // namespace zav
