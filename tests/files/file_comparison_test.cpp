#include <gtest/gtest.h>

#include <memory>
#include <vector>

#include "buffer/memory_buffer.h"
#include "files/file_comparison.h"
#include "support/recording_messages.h"
#include "support/temp_folder.h"

namespace zav::testing {
namespace {

constexpr std::int32_t kCell = 0x0040;

// Every way one cell can stand in two images, and whether the comparison reports it.
TEST(FileComparison, ACellDiffersWhenItsValuesDoOrOnlyOneSideGivesIt)
{
    struct Case {
        const char* name;
        bool firstGives;
        bool secondGives;
        std::uint8_t firstValue;
        std::uint8_t secondValue;
        bool differs;
    };
    const Case cases[] = {
        {"both give the same value", true, true, 0x12, 0x12, false},
        {"both give, the values differ", true, true, 0x12, 0x34, true},
        {"only the first gives it", true, false, 0x12, 0x12, true},
        {"only the second gives it", false, true, 0x00, 0x00, true},
        {"neither gives it", false, false, 0x12, 0x34, false},
    };
    RecordingBoxes boxes;
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        const auto first = MemoryBuffer::Create(boxes);
        const auto second = MemoryBuffer::Create(boxes);
        LoadCoverage firstGiven(0x10000, false);
        LoadCoverage secondGiven(0x10000, false);
        first->SetByte(kCell, c.firstValue);
        second->SetByte(kCell, c.secondValue);
        firstGiven[kCell] = c.firstGives;
        secondGiven[kCell] = c.secondGives;
        const std::vector<CellDifference> found =
            CompareImages({*first, firstGiven}, {*second, secondGiven}, {{0, 0xFFFF}});
        const std::vector<CellDifference> expected =
            c.differs ? std::vector<CellDifference>{{kCell, c.firstValue, c.secondValue}}
                      : std::vector<CellDifference>{};
        EXPECT_EQ(found, expected);
        EXPECT_TRUE(
            CompareImages({*first, firstGiven}, {*second, secondGiven}, {{0, kCell - 1}, {kCell + 1, 0xFFFF}})
                .empty())
            << "a cell outside the ranges is not compared";
    }
}

// A file to compare is loaded whole into a buffer of its own, laid out for the device: only
// the device's cells are compared, and a file that cannot be read says so and gives nothing.
TEST(FileComparison, AFileIsLoadedBesideTheBufferForTheDevicesCells)
{
    TempFolder folder;
    const auto path = (folder / "image.hex").string();
    // 0x11 0x22 at 0xB600 (the MC68HC11E9's EEPROM) and 0xAA at 0x0010, which it lacks.
    WriteFileBytes(path, ":02B60000112215\r\n:01001000AA45\r\n:00000001FF\r\n");
    RecordingStatus status;
    RecordingBoxes boxes;
    const std::optional<ComparedFile> file = LoadFileToCompare(path, "MC68HC11E9", status, boxes);
    ASSERT_TRUE(file);
    EXPECT_EQ(file->buffer->GetByte(0xB601), 0x22);
    EXPECT_TRUE(file->given[0xB600] && file->given[0xB601] && !file->given[0xB602]);
    ASSERT_FALSE(status.lines.empty());
    EXPECT_EQ(status.lines.front().text.rfind("Format", 0), 0U) << status.lines.front().text;

    const auto editor = MemoryBuffer::Create(boxes);
    editor->SetByte(0xB600, 0x11);
    EXPECT_EQ(
        CompareImages({*editor, file->given}, {*file->buffer, file->given}, ComparedRanges("MC68HC11E9")),
        (std::vector<CellDifference>{{0xB601, 0x00, 0x22}}));
    EXPECT_EQ(ComparedRanges("No device selected"), (std::vector<AddressRange>{{0, 0xFFFF}}));

    for (const auto& unreadable : {folder / "missing.hex", folder.Path()}) {
        EXPECT_FALSE(LoadFileToCompare(unreadable.string(), std::nullopt, status, boxes));
        ASSERT_FALSE(boxes.shown.empty());
        EXPECT_EQ(boxes.shown.back().kind, BoxKind::Error);
    }
}

} // namespace
} // namespace zav::testing
