#include <gtest/gtest.h>

#include <filesystem>
#include <string>

#include "buffer/memory_buffer.h"
#include "buffer/numeric_helpers.h"
#include "files/buffer_file_loader.h"
#include "files/buffer_file_saver.h"
#include "support/recording_messages.h"
#include "support/temp_folder.h"

namespace zav {
namespace {

using testing::RecordingBoxes;
using testing::RecordingStatus;

// Every cell a different mix of its address, so a shifted or dropped byte shows.
void FillPattern(MemoryBuffer& buffer)
{
    for (std::int32_t address = 0; address <= buffer.LastAddress(); ++address) {
        buffer.SetByte(address, static_cast<std::uint8_t>(address * 7 + (address >> 8)));
    }
}

void Describe(MemoryBuffer& buffer)
{
    Description& description = buffer.Descriptions();
    description.SetProjectName("Project \xE9 one");
    description.SetDeviceName("MC68HC11E9");
    description.SetNotes("first line\r\nsecond line");
    description.SetDescriptionRow(0, 0x0100, 3, true, "config");
    description.SetDescriptionRow(1, 0x0101, 48, false, "");
    description.SetDescriptionRow(2, 0xFFFF, 63, true, std::string(300, 'c'));
}

class RoundTrip : public ::testing::Test {
protected:
    void SaveAndLoad(FileFormat format, const SaveOptions& options = {})
    {
        const auto path = folder / "file";
        ASSERT_TRUE(SaveBufferFile(path, format, options, saved, status));
        ASSERT_TRUE(LoadBufferFile(path, format, {}, loaded, status, boxes));
        for (const auto& line : status.lines) EXPECT_NE(line.kind, StatusKind::Warning) << line.text;
    }

    MemoryBuffer saved;
    MemoryBuffer loaded;
    RecordingStatus status;
    RecordingBoxes boxes;
    testing::TempFolder folder;
};

TEST_F(RoundTrip, ExtendedFormatRestoresValuesNamesNotesAndRows)
{
    FillPattern(saved);
    Describe(saved);
    saved.BeginUpdate();
    saved.EndUpdate();
    SaveAndLoad(FileFormat::ExtendedFormat);

    for (std::int32_t address = 0; address <= saved.LastAddress(); ++address) {
        ASSERT_EQ(loaded.GetByte(address), saved.GetByte(address)) << address;
    }
    const Description& before = saved.Descriptions();
    const Description& after = loaded.Descriptions();
    EXPECT_EQ(after.GetProjectName(), before.GetProjectName());
    EXPECT_EQ(after.GetDeviceName(), before.GetDeviceName());
    EXPECT_EQ(after.GetNotes(), before.GetNotes());
    ASSERT_EQ(after.GetDescriptionRowCount(), 3);
    for (int row = 0; row < 3; ++row) EXPECT_EQ(after.GetDescriptionRow(row), before.GetDescriptionRow(row));
    EXPECT_TRUE(loaded.IsReadOnly(0x0100));
    EXPECT_FALSE(loaded.IsReadOnly(0x0101));
    EXPECT_EQ(IndexFromColour(loaded.GetCellColour(0x0100)), 3);
}

TEST_F(RoundTrip, MotorolaSRestoresValuesAndTheProjectName)
{
    FillPattern(saved);
    Describe(saved);
    SaveAndLoad(FileFormat::MotorolaS);
    for (std::int32_t address = 0; address <= saved.LastAddress(); ++address) {
        ASSERT_EQ(loaded.GetByte(address), saved.GetByte(address)) << address;
    }
    EXPECT_EQ(loaded.Descriptions().GetProjectName(), saved.Descriptions().GetProjectName());
    EXPECT_EQ(loaded.Descriptions().GetDeviceName(), "");
}

TEST_F(RoundTrip, BinaryRestoresAPartialRangeAtItsFileOffset)
{
    FillPattern(saved);
    SaveAndLoad(FileFormat::Binary, {0x1000, 0x1FFF, false});
    EXPECT_EQ(std::filesystem::file_size(folder / "file"), 0x1000U);
    for (std::int32_t address = 0; address < 0x1000; ++address) {
        ASSERT_EQ(loaded.GetByte(address), saved.GetByte(address + 0x1000)) << address;
    }
    EXPECT_EQ(loaded.GetByte(0x1000), 0);
}

TEST_F(RoundTrip, UnimplementedCellsAreLeftOutUnlessAsked)
{
    FillPattern(saved);
    for (std::int32_t address = 0x0200; address < 0x0300; ++address) saved.SetUnimplemented(address, true);
    SaveAndLoad(FileFormat::ExtendedFormat);
    EXPECT_EQ(loaded.GetByte(0x0250), 0);
    EXPECT_EQ(loaded.GetByte(0x0300), saved.GetByte(0x0300));

    MemoryBuffer again;
    ASSERT_TRUE(SaveBufferFile(folder / "all", FileFormat::MotorolaS, {0, 0xFFFF, true}, saved, status));
    ASSERT_TRUE(LoadBufferFile(folder / "all", FileFormat::MotorolaS, {}, again, status, boxes));
    EXPECT_EQ(again.GetByte(0x0250), saved.GetByte(0x0250));
}

} // namespace
} // namespace zav
