#include <gtest/gtest.h>

#include <optional>

#include "buffer/difference_marks.h"

namespace zav::testing {
namespace {

DifferenceMarks MarksAt(std::initializer_list<std::int32_t> addresses)
{
    std::vector<CellDifference> differences;
    for (std::int32_t address : addresses) differences.push_back({address, 0x5A, 0xFF});
    DifferenceMarks marks;
    marks.Set(differences);
    return marks;
}

TEST(DifferenceMarks, StepsToTheNearestMarkEitherWayAndWrapsAtTheEnds)
{
    // Given out of order, as nothing promises a verify's order.
    const DifferenceMarks marks = MarksAt({0xB610, 0xB600, 0xB7FF});
    struct Case {
        std::int32_t from;
        std::int32_t next;
        std::int32_t previous;
    };
    const Case cases[] = {
        {0x0000, 0xB600, 0xB7FF}, {0xB600, 0xB610, 0xB7FF}, {0xB605, 0xB610, 0xB600},
        {0xB610, 0xB7FF, 0xB600}, {0xB7FF, 0xB600, 0xB610}, {0xFFFF, 0xB600, 0xB7FF},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.from);
        EXPECT_EQ(marks.Next(c.from), c.next);
        EXPECT_EQ(marks.Previous(c.from), c.previous);
    }
    EXPECT_EQ(DifferenceMarks().Next(0), std::nullopt);
    EXPECT_EQ(DifferenceMarks().Previous(0), std::nullopt);
}

TEST(DifferenceMarks, AnEditTakesOnlyItsOwnCellsMark)
{
    DifferenceMarks marks = MarksAt({0x10, 0x11, 0x12});
    EXPECT_FALSE(marks.Remove(0x13));
    EXPECT_TRUE(marks.Remove(0x11));
    EXPECT_FALSE(marks.Find(0x11));
    ASSERT_TRUE(marks.Find(0x12));
    EXPECT_EQ(marks.Find(0x12)->device, 0xFF);
    EXPECT_EQ(marks.Next(0x10), 0x12);
}

TEST(CellDifference, LinesAndRuns)
{
    EXPECT_EQ(DifferencesText({{0xB605, 0x5A, 0xFF}, {0x0010, 0x00, 0x0A}}),
              "B605 buffer 5A device FF\n0010 buffer 00 device 0A\n");

    std::vector<std::uint8_t> first(0x10000, 0x00);
    std::vector<std::uint8_t> second = first;
    for (std::int32_t address : {0x0000, 0x0001, 0x0003, 0xFFFE, 0xFFFF}) second[address] = 1;
    EXPECT_EQ(DifferingRuns(first, second, {0, 0xFFFF}),
              (std::vector<AddressRange>{{0, 1}, {3, 3}, {0xFFFE, 0xFFFF}}));
    EXPECT_EQ(DifferingRuns(first, second, {4, 0xFFFD}), std::vector<AddressRange>{});

    EXPECT_EQ(DifferenceLine({0x0010, 0x00, 0x0A}, "file"), "0010 buffer 00 file 0A");
    const std::vector<CellDifference> cells{{0x0010, 0, 1}, {0x0011, 0, 1}, {0x0013, 0, 1}, {0xFFFF, 0, 1}};
    EXPECT_EQ(DifferenceRuns(cells), (std::vector<AddressRange>{{0x10, 0x11}, {0x13, 0x13}, {0xFFFF, 0xFFFF}}));
    EXPECT_EQ(DifferenceSummary(cells), "4 cells differ, first at 0x0010");
    EXPECT_EQ(DifferenceSummary({}), "No differences");
    EXPECT_EQ(DifferenceSummary({{0x0100, 0, 1}}), "1 cell differs, first at 0x0100") << "one cell reads as one";
}

// A comparison's marks say what they were compared with; a verify's say when there are none.
TEST(DifferenceMarks, SummaryAndOtherSideFollowTheSource)
{
    DifferenceMarks marks;
    EXPECT_EQ(marks.Summary(), "No differences from the last verify");
    marks.Set({{0x20, 1, 2}, {0x10, 1, 2}});
    EXPECT_EQ(marks.Summary(), "2 cells differ");
    EXPECT_EQ(marks.OtherSide(), "device");
    marks.Set({{0x20, 1, 2}});
    EXPECT_EQ(marks.Summary(), "1 cell differs");
    marks.Set({{0x20, 1, 2}, {0x10, 1, 2}}, DifferenceSource::File, "/data/image.hex");
    EXPECT_EQ(marks.Summary(), "2 cells differ, first at 0x0010") << "in address order, whatever the input's";
    EXPECT_EQ(marks.OtherSide(), "file");
    EXPECT_EQ(marks.FileName(), "/data/image.hex");
    marks.Set({}, DifferenceSource::File, "/data/image.hex");
    EXPECT_EQ(marks.Summary(), "No differences");
    marks.Set({});
    EXPECT_EQ(marks.Source(), DifferenceSource::Verify) << "a verify's marks replace a comparison's";
}

} // namespace
} // namespace zav::testing

namespace zav::testing {
namespace {

TEST(DifferenceMarks, AChangeReportThatLeavesTheValueKeepsTheMark)
{
    std::vector<std::uint8_t> buffer(0x100, 0x11);
    const DifferenceMarks::BufferValue value = [&](std::int32_t a) { return buffer[static_cast<std::size_t>(a)]; };
    DifferenceMarks marks = MarksAt({0x10, 0x20, 0x30});
    marks.Remember(value);
    // A recolouring reports every cell without changing a value.
    EXPECT_FALSE(marks.DropEdited(0, 0xFF, value));
    buffer[0x20] = 0x22;
    buffer[0x40] = 0x22;
    EXPECT_TRUE(marks.DropEdited(0x15, 0x40, value));
    EXPECT_EQ(marks.All().size(), 2U);
    EXPECT_FALSE(marks.Find(0x20));
    buffer[0x30] = 0x33;
    EXPECT_FALSE(marks.DropEdited(0x00, 0x2F, value));
    EXPECT_TRUE(marks.Find(0x30));
}

} // namespace
} // namespace zav::testing
