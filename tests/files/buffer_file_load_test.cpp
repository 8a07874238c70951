#include <gtest/gtest.h>

#include <sstream>
#include <streambuf>
#include <string>
#include <utility>
#include <vector>

#include "buffer/memory_buffer.h"
#include "buffer/numeric_helpers.h"
#include "files/buffer_file_loader.h"
#include "files/s_record.h"
#include "files/x_record.h"
#include "support/recording_messages.h"
#include "support/temp_folder.h"

namespace zav {
namespace {

using testing::RecordingBoxes;
using testing::RecordingStatus;
using testing::StatusLine;
using Bytes = std::vector<std::uint8_t>;

constexpr char kXWarning[] = "Unrecognized Line in X file !";
constexpr char kSWarning[] = "Unrecognized Line in S file !";

class BufferFileLoad : public ::testing::Test {
protected:
    bool Load(const std::string& content, FileFormat format, const LoadOptions& options = {})
    {
        std::istringstream input(content);
        return LoadBufferStream(input, "test.file", format, options, buffer, status);
    }

    [[nodiscard]] int WarningCount() const
    {
        int count = 0;
        for (const auto& line : status.lines) count += line.kind == StatusKind::Warning ? 1 : 0;
        return count;
    }
    // The warnings of single lines, without the summary that follows them.
    [[nodiscard]] int LineWarningCount() const
    {
        int count = 0;
        for (const auto& line : status.lines) count += line.text.starts_with("Unrecognized Line") ? 1 : 0;
        return count;
    }

    MemoryBuffer buffer;
    RecordingStatus status;
    RecordingBoxes boxes;
};

std::string XLines(const std::vector<std::string>& lines)
{
    std::string text;
    for (const auto& line : lines) text += line + "\r\n";
    return text;
}

TEST_F(BufferFileLoad, XFileSetsNamesNotesRowsAndValues)
{
    const std::string file = XLines({
        "X00007000000616263D2",                          // project "abc"
        FormatXLine("X1", 0, Bytes{'M', 'C', '0', '5'}), // device
        "X20008000103B06162631D",                        // 0x0103 read-only, index 0x30, "abc"
        FormatXLine("X2", 0x0200, Bytes{0x03}),          // 0x0200 writable, red, no note
        FormatXLine("X3", 0, Bytes{'l', '1', '\r', '\n', 'l', '2'}),
        "X7000800010001020304EC",
    });
    ASSERT_TRUE(Load(file, FileFormat::ExtendedFormat));

    const Description& description = buffer.Descriptions();
    EXPECT_EQ(description.GetProjectName(), "abc");
    EXPECT_EQ(description.GetDeviceName(), "MC05");
    EXPECT_EQ(description.GetNotes(), "l1\r\nl2");
    ASSERT_EQ(description.GetDescriptionRowCount(), 2);
    EXPECT_EQ(description.GetDescriptionRow(0), (CellDescription{0x0103, 0x30, true, "abc"}));
    EXPECT_EQ(description.GetDescriptionRow(1), (CellDescription{0x0200, 0x03, false, ""}));
    EXPECT_TRUE(buffer.IsReadOnly(0x0103));
    EXPECT_EQ(IndexFromColour(buffer.GetCellColour(0x0200)), 0x03);
    for (int i = 0; i < 4; ++i) EXPECT_EQ(buffer.GetByte(0x0100 + i), i + 1);
    EXPECT_EQ(WarningCount(), 0);
    EXPECT_EQ(status.Texts(), (std::vector<std::string>{"Reading file : test.file"}));
}

TEST_F(BufferFileLoad, LoadReplacesTheDescriptionAndEmptiesTheUndoHistory)
{
    Description& description = buffer.Descriptions();
    description.SetProjectName("old");
    description.SetNotes("old notes");
    description.SetDescriptionRow(0, 0x10, 1, false, "one");
    description.SetDescriptionRow(1, 0x11, 2, false, "two");
    description.SetDescriptionRow(2, 0x12, 3, false, "three");
    buffer.Undo().BeginGroup();
    buffer.Undo().Push(0x10);
    buffer.Undo().EndGroup();

    ASSERT_TRUE(Load(XLines({FormatXLine("X2", 0x0020, Bytes{0x0C, 'n'})}), FileFormat::ExtendedFormat));
    EXPECT_EQ(description.GetProjectName(), "");
    EXPECT_EQ(description.GetNotes(), "");
    ASSERT_EQ(description.GetDescriptionRowCount(), 1);
    EXPECT_EQ(description.GetDescriptionRow(0).address, 0x0020);
    EXPECT_TRUE(buffer.Undo().IsEmpty());
}

TEST_F(BufferFileLoad, TextsEndAtTheirFirstZeroByte)
{
    ASSERT_TRUE(Load(XLines({FormatXLine("X0", 0, Bytes{'a', 0, 'b'}),
                             FormatXLine("X2", 0x0005, Bytes{0x80, 'n', 0, 'x'})}),
                     FileFormat::ExtendedFormat));
    EXPECT_EQ(buffer.Descriptions().GetProjectName(), "a");
    EXPECT_EQ(buffer.Descriptions().GetDescriptionRow(0).note, "n");
}

TEST_F(BufferFileLoad, EveryCorruptXLineGivesOneWarningAndTheRestLoads)
{
    const std::string file = XLines({
        "",                       // blank
        "X7000800010001020304ec", // lower-case digit
        "X7000800010001020304ED", // bad checksum
        "X700080001",             // short
        "X7000300010001020304EC", // bad count
        FormatXLine("X5", 0, Bytes{1}),
        FormatXLine("X2", 0x0040, Bytes{}), // a description row needs its flags byte
        FormatXLine("X2", 0x0041, Bytes{0x81, 'k'}),
        "X7000800010001020304EC",
    });
    ASSERT_TRUE(Load(file, FileFormat::ExtendedFormat));
    EXPECT_EQ(WarningCount(), 7 + 1);
    EXPECT_EQ(LineWarningCount(), 7);
    EXPECT_EQ(status.lines.back(),
              (StatusLine{"7 lines not read: X5 records are not read, 5 are not valid X records, 1 is blank "
                          "(first at line 2)",
                          StatusKind::Warning}));
    // The skipped X2 is not counted: the valid one is row 0.
    ASSERT_EQ(buffer.Descriptions().GetDescriptionRowCount(), 1);
    EXPECT_EQ(buffer.Descriptions().GetDescriptionRow(0), (CellDescription{0x0041, 1, true, "k"}));
    EXPECT_EQ(buffer.GetByte(0x0103), 4);
}

TEST_F(BufferFileLoad, AReadOnlyCellStillTakesItsValue)
{
    ASSERT_TRUE(Load(XLines({FormatXLine("X2", 0x0101, Bytes{0x80}), "X7000800010001020304EC"}),
                     FileFormat::ExtendedFormat));
    EXPECT_TRUE(buffer.IsReadOnly(0x0101));
    EXPECT_EQ(buffer.GetByte(0x0101), 2);
}

TEST_F(BufferFileLoad, UnimplementedCellsKeepTheirValues)
{
    buffer.SetUnimplemented(0x0102, true);
    ASSERT_TRUE(Load("S107010001020304ED\r\n", FileFormat::MotorolaS));
    EXPECT_EQ(buffer.GetByte(0x0101), 2);
    EXPECT_EQ(buffer.GetByte(0x0102), 0);
    EXPECT_EQ(buffer.GetByte(0x0103), 4);
}

TEST_F(BufferFileLoad, SFileReadsHeaderAndDataUntilTheEndRecord)
{
    const std::string file = "S0060000616263D3\r\n"
                             "S205012345AAE7\r\n" // 24-bit address beyond the buffer
                             "S205000010AA40\r\n" // 24-bit address 0x000010
                             "S3050123AABB71\r\n" // unrecognised
                             "S5030001FB\r\n"     // unrecognised
                             "S107010001020304ED\r\n"
                             "S9030000FD\r\n" // corrupt end record: a warning, reading goes on
                             "S9030000FC\r\n"
                             "S10402007782\r\n"; // after the end: not read
    ASSERT_TRUE(Load(file, FileFormat::MotorolaS));
    EXPECT_EQ(buffer.Descriptions().GetProjectName(), "abc");
    EXPECT_EQ(buffer.GetByte(0x0010), 0xAA);
    EXPECT_EQ(buffer.GetByte(0x0103), 4);
    EXPECT_EQ(buffer.GetByte(0x0200), 0);
    EXPECT_EQ(LineWarningCount(), 3);
    EXPECT_EQ(
        status.lines.back(),
        (StatusLine{
            "3 lines not read: S3, S5 records are not read, 1 is not a valid S record (first at line 4); "
            "1 byte beyond 0xFFFF not loaded (file address 0x012345)",
            StatusKind::Warning}));
}

TEST_F(BufferFileLoad, S8EndsTheReadToo)
{
    ASSERT_TRUE(Load("S80401234592\r\nS107010001020304ED\r\n", FileFormat::MotorolaS));
    EXPECT_EQ(buffer.GetByte(0x0100), 0);
    EXPECT_EQ(LineWarningCount(), 0);
    EXPECT_EQ(status.lines.back(), (StatusLine{"No data loaded", StatusKind::Warning}));
}

TEST_F(BufferFileLoad, CorruptSLinesEachWarnOnce)
{
    ASSERT_TRUE(Load("\r\ns107010001020304ed\r\nS107010001020304EE\r\nS1070100\r\nS1FF010001020304ED\r\n",
                     FileFormat::MotorolaS));
    EXPECT_EQ(LineWarningCount(), 5);
    EXPECT_EQ(buffer.GetByte(0x0100), 0);
}

TEST_F(BufferFileLoad, AFloodOfBrokenLinesListsTheFirstThousandAndCountsTheRest)
{
    std::string file;
    for (int i = 0; i < 2500; ++i) file += "garbage\r\n";
    file += "S107010001020304ED\r\nS9030000FC\r\n";
    ASSERT_TRUE(Load(file, FileFormat::MotorolaS));
    ASSERT_EQ(status.lines.size(), 1U + 1000U + 1U + 1U);
    EXPECT_EQ(status.lines[1], (StatusLine{kSWarning, StatusKind::Warning}));
    EXPECT_EQ(status.lines[1000], (StatusLine{kSWarning, StatusKind::Warning}));
    EXPECT_EQ(status.lines[1001], (StatusLine{"... 1500 more unrecognized lines", StatusKind::Warning}));
    EXPECT_EQ(status.lines.back().text,
              "2500 lines not read: 2500 are not valid S records (first at line 1)");
    EXPECT_EQ(buffer.GetByte(0x0100), 0x01) << "the good line after the flood still loads";

    // Each load has its own count; exactly a thousand needs no summary.
    status.lines.clear();
    file.clear();
    for (int i = 0; i < 1000; ++i) file += "X9\r\n";
    ASSERT_TRUE(Load(file, FileFormat::ExtendedFormat));
    EXPECT_EQ(LineWarningCount(), 1000);
    EXPECT_EQ(status.lines[status.lines.size() - 2], (StatusLine{kXWarning, StatusKind::Warning}));
}

TEST_F(BufferFileLoad, AZeroByteEndsTheRead)
{
    const std::string file = std::string("S107010001020304ED\r\n") + '\0' + "S10402007782\r\n";
    ASSERT_TRUE(Load(file, FileFormat::MotorolaS));
    EXPECT_EQ(buffer.GetByte(0x0100), 1);
    EXPECT_EQ(buffer.GetByte(0x0200), 0);
    EXPECT_EQ(WarningCount(), 0);
}

TEST_F(BufferFileLoad, LoneCrAndLoneLfEndLines)
{
    ASSERT_TRUE(Load("X00007000000616263D2\rX7000800010001020304EC\nS", FileFormat::ExtendedFormat));
    EXPECT_EQ(buffer.Descriptions().GetProjectName(), "abc");
    EXPECT_EQ(buffer.GetByte(0x0103), 4);
    EXPECT_EQ(LineWarningCount(), 1); // the final "S"
}

TEST_F(BufferFileLoad, RangeAndOffsetMoveTheFileWindow)
{
    std::string binary(0x0300, '\0');
    for (int i = 0; i < 0x0300; ++i) binary[i] = static_cast<char>(i >> 8 | 0x10);
    const LoadOptions options{0x0100, 0x01FF, -0x100, ClearMode::None};
    ASSERT_TRUE(Load(binary, FileFormat::Binary, options));
    for (int address = 0; address <= 0x00FF; ++address) ASSERT_EQ(buffer.GetByte(address), 0x11);
    for (int address = 0x0100; address <= 0x03FF; ++address) ASSERT_EQ(buffer.GetByte(address), 0);

    MemoryBuffer textBuffer;
    std::istringstream input(
        XLines({FormatXLine("X7", 0x00FE, Bytes{1, 2, 3, 4}), FormatXLine("X7", 0x01FE, Bytes{5, 6, 7, 8})}));
    ASSERT_TRUE(LoadBufferStream(input, "x", FileFormat::ExtendedFormat, options, textBuffer, status));
    EXPECT_EQ(textBuffer.GetByte(0x0000), 3);
    EXPECT_EQ(textBuffer.GetByte(0x0001), 4);
    EXPECT_EQ(textBuffer.GetByte(0x00FE), 5);
    EXPECT_EQ(textBuffer.GetByte(0x00FF), 6);
    EXPECT_EQ(textBuffer.GetByte(0x00FD), 0);
    EXPECT_EQ(textBuffer.GetByte(0x0100), 0);
}

TEST_F(BufferFileLoad, BytesLandingOutsideTheBufferAreDropped)
{
    const LoadOptions options{0, 0xFFFFFF, 0xFFFE, ClearMode::None};
    ASSERT_TRUE(Load("ABCD", FileFormat::Binary, options));
    EXPECT_EQ(buffer.GetByte(0xFFFE), 'A');
    EXPECT_EQ(buffer.GetByte(0xFFFF), 'B');
    EXPECT_EQ(buffer.GetByte(0x0000), 0);
    EXPECT_EQ(buffer.GetByte(0x0001), 0);
}

TEST_F(BufferFileLoad, ClearingFillsImplementedCellsReadOnlyIncluded)
{
    buffer.SetUnimplemented(0x0010, true);
    buffer.SetReadOnly(0x0020, true);
    ASSERT_TRUE(Load("", FileFormat::Binary, {0, 0xFFFFFF, 0, ClearMode::Ones}));
    EXPECT_EQ(buffer.GetByte(0x0000), 0xFF);
    EXPECT_EQ(buffer.GetByte(0x0020), 0xFF);
    EXPECT_EQ(buffer.GetByte(0xFFFF), 0xFF);
    EXPECT_EQ(buffer.GetByte(0x0010), 0x00);
    EXPECT_EQ(status.Texts(), (std::vector<std::string>{"Buffer Cleared with 0xFF",
                                                        "Reading file : test.file", "No data loaded"}));

    status.lines.clear();
    ASSERT_TRUE(Load("\x12", FileFormat::Binary, {0, 0xFFFFFF, 0, ClearMode::Zeros}));
    EXPECT_EQ(buffer.GetByte(0x0000), 0x12);
    EXPECT_EQ(buffer.GetByte(0x0020), 0x00);
    EXPECT_EQ(status.lines.front(), (StatusLine{"Buffer Cleared with 0x00", StatusKind::Normal}));
}

TEST_F(BufferFileLoad, BinaryFilesLargerThanTheBufferLoadTheirStart)
{
    std::string binary(0x30000, '\x5A');
    binary[0xFFFF] = '\x01';
    binary[0x10000] = '\x02';
    ASSERT_TRUE(Load(binary, FileFormat::Binary));
    EXPECT_EQ(buffer.GetByte(0xFFFF), 0x01);
    EXPECT_EQ(buffer.GetByte(0x0000), 0x5A);
}

TEST_F(BufferFileLoad, AFileThatCannotBeOpenedLeavesEverythingUntouched)
{
    testing::TempFolder folder;
    buffer.SetByte(0x0010, 0x77);
    buffer.Descriptions().SetProjectName("kept");
    buffer.Undo().BeginGroup();
    buffer.Undo().Push(0x0010);
    buffer.Undo().EndGroup();

    for (const auto& path : {folder / "missing.zef", folder.Path()}) {
        EXPECT_FALSE(LoadBufferFile(path, FileFormat::ExtendedFormat, {0, 0xFFFFFF, 0, ClearMode::Ones},
                                    buffer, status, boxes));
    }
    EXPECT_EQ(boxes.Texts(), (std::vector<std::string>{"File not Accessible or not Exist!",
                                                       "File not Accessible or not Exist!\n" + folder.Path().string() +
                                                           " is a folder, not a regular file: only files are loaded."}));
    EXPECT_EQ(boxes.shown.front().kind, BoxKind::Error);
    EXPECT_TRUE(status.lines.empty());
    EXPECT_EQ(buffer.GetByte(0x0010), 0x77);
    EXPECT_EQ(buffer.GetByte(0x0011), 0x00);
    EXPECT_EQ(buffer.Descriptions().GetProjectName(), "kept");
    EXPECT_FALSE(buffer.Undo().IsEmpty());
}

// Hands out its text, then fails the way a device error does: the stream turns bad.
class FailingAfterText : public std::streambuf {
public:
    explicit FailingAfterText(std::string text) : text_(std::move(text))
    {
        setg(text_.data(), text_.data(), text_.data() + text_.size());
    }

protected:
    int_type underflow() override { throw std::ios_base::failure("device error"); }

private:
    std::string text_;
};

TEST_F(BufferFileLoad, AReadErrorIsReportedAndKeepsWhatWasRead)
{
    // More than one 64 KiB chunk, so the failure hits the second read.
    const std::string text = "S107010001020304ED\r\n" + std::string(70000, ' ');
    for (const FileFormat format : {FileFormat::MotorolaS, FileFormat::Binary}) {
        FailingAfterText source(text);
        std::istream input(&source);
        EXPECT_FALSE(LoadBufferStream(input, "bad.file", format, {}, buffer, status));
        EXPECT_EQ(status.lines.back(), (StatusLine{"Read file failed : bad.file", StatusKind::Error}));
        EXPECT_FALSE(buffer.InBulkUpdate());
        if (format == FileFormat::MotorolaS) {
            EXPECT_EQ(buffer.GetByte(0x0103), 4);
        }
    }
    EXPECT_EQ(buffer.GetByte(0x0000), 'S');
    EXPECT_EQ(buffer.GetByte(0xFFFF), ' ');
}

TEST_F(BufferFileLoad, LoadsFromAPathNameTheFileInTheStatus)
{
    testing::TempFolder folder;
    const auto path = folder / "data.s19";
    testing::WriteFileBytes(path, "S107010001020304ED\r\nS9030000FC\r\n");
    ASSERT_TRUE(LoadBufferFile(path, FileFormat::MotorolaS, {}, buffer, status, boxes));
    EXPECT_EQ(buffer.GetByte(0x0102), 3);
    EXPECT_EQ(status.Texts(), (std::vector<std::string>{"Reading file : " + path.string()}));
    EXPECT_TRUE(boxes.shown.empty());
}

} // namespace
} // namespace zav
