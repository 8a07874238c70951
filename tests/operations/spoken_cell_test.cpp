#include "operations/spoken_cell.h"

#include <gtest/gtest.h>

#include "buffer/difference_marks.h"
#include "buffer/memory_buffer.h"

namespace zav {
namespace {

TEST(SpokenCellTest, NamesTheAddressAndWhatEachPaneShows)
{
    struct Case {
        EditorGrid grid;
        std::int32_t address;
        std::uint8_t value;
        const char* name;
    };
    for (const Case& c : {
             Case{EditorGrid::Hex, 0xB600, 0x5A, "0xB600: 5A"},
             Case{EditorGrid::Hex, 0x0000, 0x00, "0x0000: 00"},
             Case{EditorGrid::Hex, 0xFFFF, 0xFF, "0xFFFF: FF"},
             Case{EditorGrid::Char, 0xB600, 0x5A, "0xB600: Z"},
             Case{EditorGrid::Char, 0x0010, 0xE9, "0x0010: \xE9"},
             // Shown as "." or as nothing: read by value, so 0x00 and a "." typed are told apart.
             Case{EditorGrid::Char, 0x0001, 0x00, "0x0001: 00"},
             Case{EditorGrid::Char, 0x0002, 0xFF, "0x0002: FF"},
             Case{EditorGrid::Char, 0x0003, 0x20, "0x0003: 20"},
             Case{EditorGrid::Char, 0x0004, 0x0A, "0x0004: 0A"},
             Case{EditorGrid::Char, 0x0005, 0xA0, "0x0005: A0"},
             Case{EditorGrid::Char, 0x0006, 0x7F, "0x0006: 7F"},
         }) {
        EXPECT_EQ(SpokenCellName(c.grid, c.address, c.value), c.name);
    }
}

TEST(SpokenCellTest, DescriptionTellsTheCellsStateAndTheOtherSidesValueOfAMark)
{
    MemoryBuffer buffer;
    DifferenceMarks marks;
    EXPECT_EQ(SpokenCellDescription(buffer, marks, 0x100), "");
    buffer.SetUnimplemented(0x100, true);
    buffer.SetReadOnly(0x100, true);
    EXPECT_EQ(SpokenCellDescription(buffer, marks, 0x100), "unimplemented, read-only");
    marks.Set({{0x200, 0x5A, 0xFF}});
    EXPECT_EQ(SpokenCellDescription(buffer, marks, 0x200), "device FF");
    EXPECT_EQ(SpokenCellDescription(buffer, marks, 0x201), "");
    marks.Set({{0x200, 0x5A, 0xA5}}, DifferenceSource::File, "part.hex");
    EXPECT_EQ(SpokenCellDescription(buffer, marks, 0x200), "file A5");
}

} // namespace
} // namespace zav
