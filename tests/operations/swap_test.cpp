#include "operations/swap.h"

#include <vector>

#include <gtest/gtest.h>

#include "buffer/memory_buffer.h"

namespace zav {
namespace {

class SwapTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        for (std::int32_t a = 0; a <= 0xFFFF; ++a)
            buffer.SetByte(a, static_cast<std::uint8_t>(a * 13 + (a >> 8)));
        buffer.Undo().Clear();
        original = Snapshot();
    }

    std::vector<std::uint8_t> Snapshot() const
    {
        std::vector<std::uint8_t> bytes;
        for (std::int32_t a = 0; a <= 0xFFFF; ++a) bytes.push_back(buffer.GetByte(a));
        return bytes;
    }

    MemoryBuffer buffer;
    std::vector<std::uint8_t> original;
};

TEST_F(SwapTest, EachUnitReordersAsItSays)
{
    buffer.SetByte(0, 0x01);
    buffer.SetByte(1, 0x12);
    buffer.SetByte(2, 0xF0);
    buffer.SetByte(3, 0x3C);
    SwapBuffer(buffer, SwapUnit::Byte);
    EXPECT_EQ(buffer.GetByte(0), 0x80);
    EXPECT_EQ(buffer.GetByte(1), 0x48);
    EXPECT_EQ(buffer.GetByte(2), 0x0F);
    EXPECT_EQ(buffer.GetByte(3), 0x3C);

    SwapBuffer(buffer, SwapUnit::Word);
    EXPECT_EQ(buffer.GetByte(0), 0x48);
    EXPECT_EQ(buffer.GetByte(1), 0x80);
    EXPECT_EQ(buffer.GetByte(2), 0x3C);
    EXPECT_EQ(buffer.GetByte(3), 0x0F);

    SwapBuffer(buffer, SwapUnit::DoubleWord);
    EXPECT_EQ(buffer.GetByte(0), 0x0F);
    EXPECT_EQ(buffer.GetByte(1), 0x3C);
    EXPECT_EQ(buffer.GetByte(2), 0x80);
    EXPECT_EQ(buffer.GetByte(3), 0x48);
}

TEST_F(SwapTest, EveryUnitTwiceRestoresTheBuffer)
{
    for (const SwapUnit unit : {SwapUnit::Byte, SwapUnit::Word, SwapUnit::DoubleWord}) {
        SwapBuffer(buffer, unit);
        EXPECT_NE(Snapshot(), original);
        SwapBuffer(buffer, unit);
        EXPECT_EQ(Snapshot(), original);
    }
}

TEST_F(SwapTest, OneUndoRestoresEveryCell)
{
    for (const SwapUnit unit : {SwapUnit::Byte, SwapUnit::Word, SwapUnit::DoubleWord}) {
        SwapBuffer(buffer, unit);
        EXPECT_EQ(buffer.Undo().GroupCount(), 1);
        buffer.Undo().Undo();
        EXPECT_EQ(Snapshot(), original);
        EXPECT_TRUE(buffer.Undo().IsEmpty());
    }
}

TEST_F(SwapTest, AProtectedCellKeepsItsValueWhileItsPartnerTakesIt)
{
    buffer.SetByte(0x100, 0xAA);
    buffer.SetByte(0x101, 0xBB);
    buffer.SetUnimplemented(0x100, true);
    buffer.SetByte(0x203, 0x33);
    buffer.SetReadOnly(0x200, true);
    const std::uint8_t readOnlyValue = buffer.GetByte(0x200);
    SwapBuffer(buffer, SwapUnit::Word);
    EXPECT_EQ(buffer.GetByte(0x100), 0xAA);
    EXPECT_EQ(buffer.GetByte(0x101), 0xAA);
    buffer.Undo().Undo();
    SwapBuffer(buffer, SwapUnit::DoubleWord);
    EXPECT_EQ(buffer.GetByte(0x200), readOnlyValue);
    EXPECT_EQ(buffer.GetByte(0x203), readOnlyValue);
}

} // namespace
} // namespace zav
