#include "buffer/colour.h"

#include <gtest/gtest.h>

namespace zav {
namespace {

TEST(ColourTest, ChannelsSitRedLowBlueHigh)
{
    const Colour orange = 0x0080FF;
    EXPECT_EQ(RedOf(orange), 0xFF);
    EXPECT_EQ(GreenOf(orange), 0x80);
    EXPECT_EQ(BlueOf(orange), 0x00);
    EXPECT_EQ(ColourFromRgb(0xFF, 0x80, 0x00), orange);
    EXPECT_EQ(ColourFromRgb(0x12, 0x34, 0x56), 0x563412u);
    // Bits above a channel's byte do not spill into the next channel.
    EXPECT_EQ(ColourFromRgb(0x1FF, 0, 0), 0x0000FFu);
}

} // namespace
} // namespace zav
