#include <gtest/gtest.h>

#include <filesystem>
#include <sstream>
#include <string>
#include <utility>
#include <vector>

#include "buffer/memory_buffer.h"
#include "files/buffer_file_content.h"
#include "files/buffer_file_saver.h"
#include "files/line_reader.h"
#include "files/s_record.h"
#include "files/x_record.h"
#include "support/recording_messages.h"
#include "support/temp_folder.h"

namespace zav {
namespace {

namespace fs = std::filesystem;
using testing::RecordingStatus;
using testing::StatusLine;
using Bytes = std::vector<std::uint8_t>;
// Address and length of each data record.
using Records = std::vector<std::pair<std::uint32_t, std::size_t>>;

std::string Content(const MemoryBuffer& buffer, FileFormat format, const SaveOptions& options)
{
    std::string content;
    std::string refusal;
    EXPECT_TRUE(FormatBufferFile(buffer, format, options, content, refusal)) << refusal;
    return content;
}

Records DataRecords(const std::string& content, FileFormat format)
{
    std::istringstream input(content);
    LineReader reader(input);
    Records records;
    std::string line;
    FileRecord record;
    while (reader.Next(line)) {
        const bool parsed =
            format == FileFormat::ExtendedFormat ? ParseXLine(line, record) : ParseSLine(line, record);
        EXPECT_TRUE(parsed) << line;
        if (record.type == "X7" || record.type == "S1")
            records.emplace_back(record.address, record.data.size());
    }
    return records;
}

void MarkUnimplemented(MemoryBuffer& buffer, int first, int last)
{
    for (int address = first; address <= last; ++address) buffer.SetUnimplemented(address, true);
}

TEST(BufferFileContent, ARangeOfUnimplementedCellsWritesOnlyTheDescription)
{
    MemoryBuffer buffer;
    MarkUnimplemented(buffer, 0x0100, 0x01FF);
    const SaveOptions range{0x0100, 0x01FF, false};
    const CellDescription row = buffer.Descriptions().GetDescriptionRow(0);
    const Bytes rowData{static_cast<std::uint8_t>(row.colourIndex)};
    EXPECT_EQ(Content(buffer, FileFormat::ExtendedFormat, range), "X00004000000FB\r\nX10004000000FB\r\n" +
                                                                      FormatXLine("X2", 0, rowData) +
                                                                      "\r\nX30004000000FB\r\n");
    EXPECT_EQ(Content(buffer, FileFormat::MotorolaS, range), "S0030000FC\r\nS9030000FC\r\n");
}

TEST(BufferFileContent, RecordsStartAtTheRangeNotAtAlignedAddresses)
{
    MemoryBuffer buffer;
    const SaveOptions range{0x0105, 0x012C, false};
    EXPECT_EQ(DataRecords(Content(buffer, FileFormat::ExtendedFormat, range), FileFormat::ExtendedFormat),
              (Records{{0x0105, 32}, {0x0125, 8}}));
    EXPECT_EQ(DataRecords(Content(buffer, FileFormat::MotorolaS, range), FileFormat::MotorolaS),
              (Records{{0x0105, 16}, {0x0115, 16}, {0x0125, 8}}));
}

TEST(BufferFileContent, RecordsSplitAroundSkippedUnimplementedCells)
{
    MemoryBuffer buffer;
    buffer.SetUnimplemented(0x0103, true);
    MarkUnimplemented(buffer, 0x0105, 0x0106);
    const SaveOptions skipping{0x0100, 0x010F, false};
    EXPECT_EQ(DataRecords(Content(buffer, FileFormat::MotorolaS, skipping), FileFormat::MotorolaS),
              (Records{{0x0100, 3}, {0x0104, 1}, {0x0107, 9}}));
    const SaveOptions everything{0x0100, 0x010F, true};
    EXPECT_EQ(
        DataRecords(Content(buffer, FileFormat::ExtendedFormat, everything), FileFormat::ExtendedFormat),
        (Records{{0x0100, 16}}));
}

TEST(BufferFileContent, BinaryWritesEveryCellOfTheRange)
{
    MemoryBuffer buffer;
    buffer.SetByte(0x0100, 0xAB);
    buffer.SetByte(0x0200, 0xCD);
    MarkUnimplemented(buffer, 0x0000, 0x7FFF);
    const std::string whole = Content(buffer, FileFormat::Binary, {0, 0xFFFF, false});
    ASSERT_EQ(whole.size(), 0x10000U);
    EXPECT_EQ(whole[0x0100], '\xAB');
    const std::string part = Content(buffer, FileFormat::Binary, {0x0100, 0x0200, false});
    ASSERT_EQ(part.size(), 0x101U);
    EXPECT_EQ(part.front(), '\xAB');
    EXPECT_EQ(part.back(), '\xCD');
}

TEST(BufferFileContent, TheSHeaderCutsTheProjectNameTheXFileKeepsIt)
{
    MemoryBuffer buffer;
    const std::string name(300, 'n');
    buffer.Descriptions().SetProjectName(name);
    const SaveOptions none{0x0100, 0x0100, false};
    buffer.SetUnimplemented(0x0100, true);
    const Bytes cut(200, 'n');
    EXPECT_EQ(Content(buffer, FileFormat::MotorolaS, none), FormatSLine("S0", 0, cut) + "\r\nS9030000FC\r\n");
    const Bytes whole(300, 'n');
    EXPECT_EQ(Content(buffer, FileFormat::ExtendedFormat, none).substr(0, 6 + 2 * 304 + 2),
              FormatXLine("X0", 0, whole) + "\r\n");
}

TEST(BufferFileContent, TextsTooLongForAnXRecordRefuseTheWholeFile)
{
    MemoryBuffer buffer;
    std::string content;
    std::string refusal;
    buffer.Descriptions().SetProjectName(std::string(kMaxXRecordData, 'p'));
    EXPECT_TRUE(FormatBufferFile(buffer, FileFormat::ExtendedFormat, {}, content, refusal));

    buffer.Descriptions().SetDeviceName(std::string(kMaxXRecordData + 1, 'd'));
    EXPECT_FALSE(FormatBufferFile(buffer, FileFormat::ExtendedFormat, {}, content, refusal));
    EXPECT_NE(refusal.find("device name"), std::string::npos);
    // The S file carries no device name and cuts the project name.
    EXPECT_TRUE(FormatBufferFile(buffer, FileFormat::MotorolaS, {}, content, refusal));

    buffer.Descriptions().SetDeviceName("");
    buffer.Descriptions().SetDescriptionRow(0, 0x10, 0, false, std::string(kMaxXRecordData, 'c'));
    EXPECT_FALSE(FormatBufferFile(buffer, FileFormat::ExtendedFormat, {}, content, refusal));
    EXPECT_NE(refusal.find("row 0"), std::string::npos);
    buffer.Descriptions().SetDescriptionRow(0, 0x10, 0, false, std::string(kMaxXRecordData - 1, 'c'));
    EXPECT_TRUE(FormatBufferFile(buffer, FileFormat::ExtendedFormat, {}, content, refusal));
}

class BufferFileSave : public ::testing::Test {
protected:
    // An edit the save is expected to commit: an undo entry and the edited colour.
    void Edit(std::int32_t address, std::uint8_t value)
    {
        buffer.Undo().BeginGroup();
        buffer.Undo().Push(address);
        buffer.SetByte(address, value);
        buffer.Undo().EndGroup();
    }

    void ExpectEditKept(std::int32_t address)
    {
        EXPECT_FALSE(buffer.Undo().IsEmpty());
        EXPECT_EQ(buffer.GetCellColour(address), buffer.Colours().edited);
    }

    // A failed save: one Error line naming the path, never "Write file complete".
    void ExpectFailure(const fs::path& path, const std::string& reason)
    {
        ASSERT_EQ(status.lines.size(), 2U);
        EXPECT_EQ(status.lines[0], (StatusLine{"Writing file : " + path.string(), StatusKind::Normal}));
        EXPECT_EQ(status.lines[1].kind, StatusKind::Error);
        EXPECT_NE(status.lines[1].text.find(path.string()), std::string::npos) << status.lines[1].text;
        EXPECT_NE(status.lines[1].text.find(reason), std::string::npos) << status.lines[1].text;
    }

    [[nodiscard]] std::vector<std::string> FolderEntries() const
    {
        std::vector<std::string> names;
        for (const auto& entry : fs::directory_iterator(folder.Path()))
            names.push_back(entry.path().filename());
        return names;
    }

    MemoryBuffer buffer;
    RecordingStatus status;
    testing::TempFolder folder;
};

TEST_F(BufferFileSave, ASaveCommitsTheEditsAndReportsItsSteps)
{
    Edit(0x0010, 0x42);
    const fs::path path = folder / "out.bin";
    ASSERT_TRUE(SaveBufferFile(path, FileFormat::Binary, {0x0010, 0x0011, false}, buffer, status));
    EXPECT_EQ(testing::ReadFileBytes(path), std::string("\x42\x00", 2));
    EXPECT_EQ(status.lines, (std::vector<StatusLine>{{"Writing file : " + path.string(), StatusKind::Normal},
                                                     {"Write file complete", StatusKind::Normal}}));
    EXPECT_TRUE(buffer.Undo().IsEmpty());
    EXPECT_EQ(buffer.GetCellColour(0x0010), buffer.Colours().notEdited);
}

TEST_F(BufferFileSave, ReplacingAFileLeavesNoTemporaryBehindAndKeepsItsPermissions)
{
    const fs::path path = folder / "out.s19";
    testing::WriteFileBytes(path, std::string(100000, 'x'));
    fs::permissions(path, fs::perms::owner_read | fs::perms::owner_write | fs::perms::group_read);
    ASSERT_TRUE(SaveBufferFile(path, FileFormat::MotorolaS, {0, 0, false}, buffer, status));
    EXPECT_EQ(testing::ReadFileBytes(path), "S0030000FC\r\nS104000000FB\r\nS9030000FC\r\n");
    EXPECT_EQ(fs::status(path).permissions(),
              fs::perms::owner_read | fs::perms::owner_write | fs::perms::group_read);
    EXPECT_EQ(FolderEntries(), std::vector<std::string>{"out.s19"});
}

TEST_F(BufferFileSave, ASymbolicLinkStaysALinkToTheNewContent)
{
    const fs::path real = folder / "real.bin";
    const fs::path link = folder / "link.bin";
    testing::WriteFileBytes(real, "old");
    fs::create_symlink(real, link);
    ASSERT_TRUE(SaveBufferFile(link, FileFormat::Binary, {0, 1, false}, buffer, status));
    EXPECT_TRUE(fs::is_symlink(link));
    EXPECT_EQ(testing::ReadFileBytes(real), std::string(2, '\0'));
}

TEST_F(BufferFileSave, AMissingFolderFailsWithTheSystemsReason)
{
    Edit(0x0020, 0x01);
    const fs::path path = folder / "no-such-folder" / "out.zef";
    EXPECT_FALSE(SaveBufferFile(path, FileFormat::ExtendedFormat, {}, buffer, status));
    ExpectFailure(path, "No such file or directory");
    ExpectEditKept(0x0020);
    EXPECT_FALSE(fs::exists(path.parent_path()));
}

TEST_F(BufferFileSave, AFileInPlaceOfTheFolderFails)
{
    Edit(0x0020, 0x01);
    testing::WriteFileBytes(folder / "plain", "data");
    const fs::path path = folder / "plain" / "out.s19";
    EXPECT_FALSE(SaveBufferFile(path, FileFormat::MotorolaS, {}, buffer, status));
    ExpectFailure(path, "Not a directory");
    ExpectEditKept(0x0020);
    EXPECT_EQ(testing::ReadFileBytes(folder / "plain"), "data");
}

TEST_F(BufferFileSave, AFolderInPlaceOfTheFileFailsAndIsKept)
{
    Edit(0x0020, 0x01);
    const fs::path path = folder / "taken.bin";
    fs::create_directory(path);
    testing::WriteFileBytes(path / "inside", "kept");
    EXPECT_FALSE(SaveBufferFile(path, FileFormat::Binary, {}, buffer, status));
    ASSERT_EQ(status.lines.size(), 2U);
    EXPECT_EQ(status.lines[1].kind, StatusKind::Error);
    ExpectEditKept(0x0020);
    EXPECT_EQ(testing::ReadFileBytes(path / "inside"), "kept");
    EXPECT_EQ(FolderEntries(), std::vector<std::string>{"taken.bin"});
}

TEST_F(BufferFileSave, AnOverlongTextWritesNothing)
{
    Edit(0x0020, 0x01);
    const fs::path path = folder / "out.zef";
    testing::WriteFileBytes(path, "earlier");
    buffer.Descriptions().SetNotes(std::string(kMaxXRecordData + 1, 'n'));
    EXPECT_FALSE(SaveBufferFile(path, FileFormat::ExtendedFormat, {}, buffer, status));
    ExpectFailure(path, "notes");
    ExpectEditKept(0x0020);
    EXPECT_EQ(testing::ReadFileBytes(path), "earlier");
    EXPECT_EQ(FolderEntries(), std::vector<std::string>{"out.zef"});
}

} // namespace
} // namespace zav
