#include <gtest/gtest.h>

#include <cstdio>
#include <filesystem>
#include <fstream>

#include "boardsim/simulated_target.h"
#include "link/virtual_clock.h"
#include "support/temp_folder.h"

namespace zav {
namespace {

TEST(SimulatedTarget, WritesTakeTheProgrammingTimeAndBusyWritesAreLost)
{
    VirtualClock clock;
    SimulatedTarget target(clock, 10, std::nullopt);
    target.Write(0x0100, 0x12);
    EXPECT_TRUE(target.Busy());
    EXPECT_EQ(target.Read(0x0100), 0xFF);
    target.Write(0x0101, 0x34);
    EXPECT_EQ(target.LostWrites(), 1);
    clock.SleepMs(10);
    EXPECT_FALSE(target.Busy());
    EXPECT_EQ(target.Read(0x0100), 0x12);
    EXPECT_EQ(target.Read(0x0101), 0xFF);
}

// What a write does to a cell, by the memory it lies in: half-way through, and once done;
// an erase then sets every kind to 0xFF.
TEST(SimulatedTarget, EachMemoryTakesAWriteAsItsDataSheetSays)
{
    struct Case {
        CellProgramming programming;
        std::uint8_t halfWay;
        std::uint8_t done;
    };
    // 0x0F written with 0xF3.
    const Case cases[] = {
        {CellProgramming::Replace, 0x0F, 0xF3},
        {CellProgramming::ClearBitsOnly, 0x0F, 0x03},
        {CellProgramming::OnesThenZeros, 0xFF, 0xF3},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(static_cast<int>(c.programming));
        VirtualClock clock;
        SimulatedTarget target(clock, 10, std::nullopt);
        target.SetProgramming(0x0100, 0x01FF, c.programming);
        target.Poke(0x0105, 0x0F);
        target.Poke(0x0200, 0x0F);
        target.Write(0x0105, 0xF3);
        clock.SleepMs(5);
        EXPECT_EQ(target.Read(0x0105), c.halfWay);
        clock.SleepMs(5);
        EXPECT_EQ(target.Read(0x0105), c.done);
        // Outside the region a write replaces the cell.
        target.Write(0x0200, 0xF3);
        clock.SleepMs(10);
        EXPECT_EQ(target.Read(0x0200), 0xF3);
        target.Erase(0x0100, 0x01FF);
        clock.SleepMs(10);
        EXPECT_EQ(target.Read(0x0105), 0xFF);
    }
}

TEST(SimulatedTarget, StuckCellNeverTakesAWriteOrErase)
{
    VirtualClock clock;
    SimulatedTarget target(clock, 0, std::uint16_t{0x0105});
    target.Poke(0x0105, 0x00);
    target.Write(0x0105, 0x55);
    EXPECT_EQ(target.Read(0x0105), 0x00);
    target.Poke(0x0104, 0x00);
    target.Erase(0x0100, 0x01FF);
    EXPECT_EQ(target.Read(0x0104), 0xFF);
    EXPECT_EQ(target.Read(0x0105), 0x00);
}

TEST(SimulatedTarget, ImagesRoundTripAndWrongSizesAreRefused)
{
    const testing::TempFolder directory;
    const auto image = directory / "image.bin";
    const auto shortImage = directory / "short_image.bin";
    VirtualClock clock;
    SimulatedTarget target(clock, 0, std::nullopt);
    target.Poke(0x0000, 0x01);
    target.Poke(0xFFFF, 0xFE);
    ASSERT_TRUE(target.SaveImage(image));
    EXPECT_EQ(std::filesystem::file_size(image), SimulatedTarget::kSize);

    SimulatedTarget loaded(clock, 0, std::nullopt);
    ASSERT_TRUE(loaded.LoadImage(image));
    EXPECT_EQ(loaded.Peek(0x0000), 0x01);
    EXPECT_EQ(loaded.Peek(0xFFFF), 0xFE);

    std::ofstream(shortImage, std::ios::binary) << "abc";
    EXPECT_FALSE(loaded.LoadImage(shortImage));
    EXPECT_FALSE(loaded.LoadImage(directory / "missing.bin"));
    EXPECT_EQ(loaded.Peek(0x0000), 0x01);
}

} // namespace
} // namespace zav
