#include <gtest/gtest.h>

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <chrono>

#include <filesystem>
#include <fstream>
#include <future>
#include <string>
#include <utility>
#include <vector>

#include "buffer/memory_buffer.h"
#include "files/open_file_dialog.h"
#include "files/print_dialog.h"
#include "files/save_file_dialog.h"
#include "support/recording_messages.h"
#include "support/temp_folder.h"

namespace zav {
namespace {

using testing::RecordingBoxes;
using testing::RecordingStatus;
using testing::TempFolder;

constexpr char kBadNumber[] = "To Enter Address Value in Hexadecimal format prefix 0x must be use.";

void WriteFile(const std::filesystem::path& path, const std::string& content)
{
    std::ofstream(path, std::ios::binary) << content;
}

class OpenFileDialogTest : public ::testing::Test {
protected:
    TempFolder folder;
    MemoryBuffer buffer;
    RecordingBoxes boxes;
    RecordingStatus status;
    OpenFileDialog dialog;
};

TEST_F(OpenFileDialogTest, StartsWithTheWholeFileAndDisabledFields)
{
    EXPECT_FALSE(dialog.OkEnabled());
    EXPECT_TRUE(dialog.LoadEntireFile());
    EXPECT_FALSE(dialog.AddressFieldsEnabled());
    EXPECT_EQ(dialog.LowText(), "0x0000");
    EXPECT_EQ(dialog.HighText(), "0xFFFFFF");
    EXPECT_EQ(dialog.OffsetText(), "0");
    EXPECT_EQ(dialog.Clear(), ClearMode::None);
    dialog.SetLoadEntireFile(false);
    EXPECT_TRUE(dialog.AddressFieldsEnabled());
}

TEST_F(OpenFileDialogTest, RecentEntriesAreNumberedFromZero)
{
    const auto captions = OpenFileDialog::RecentEntryCaptions({"/a/one.zef", "/b/two words.s19"});
    EXPECT_EQ(captions, (std::vector<std::string>{"0 /a/one.zef", "1 /b/two words.s19"}));
    EXPECT_EQ(OpenFileDialog::PathOfRecentEntry(captions[1]), "/b/two words.s19");
}

TEST_F(OpenFileDialogTest, AnS1FileWithoutHeaderIsOfferedAsMotorolaAndBinary)
{
    WriteFile(folder / "plain.s19", "S1130000000102030405060708090A0B0C0D0E0F74\r\nS9030000FC\r\n");
    ASSERT_TRUE(dialog.ChoosePath((folder / "plain.s19").string(), boxes));
    EXPECT_TRUE(dialog.OkEnabled());
    EXPECT_EQ(dialog.Formats(), (std::vector<std::string>{"Motorola S", "Binary"}));
    EXPECT_EQ(dialog.FormatIndex(), 0);
}

TEST_F(OpenFileDialogTest, AnIntelHexFileIsOfferedAsIntelHexFirst)
{
    WriteFile(folder / "image.hex", ":0400100001020304E2\r\n:00000001FF\r\n");
    ASSERT_TRUE(dialog.ChoosePath((folder / "image.hex").string(), boxes));
    EXPECT_EQ(dialog.Formats(), (std::vector<std::string>{"Intel HEX", "Binary"}));
    ASSERT_EQ(dialog.Ok(buffer, status, boxes), OpenResult::Loaded);
    EXPECT_EQ(buffer.GetByte(0x0013), 0x04);
}

TEST_F(OpenFileDialogTest, AMissingFileKeepsTheFormatsAndDisablesOk)
{
    WriteFile(folder / "text.txt", "hello");
    ASSERT_TRUE(dialog.ChoosePath((folder / "text.txt").string(), boxes));
    EXPECT_EQ(dialog.Formats(), (std::vector<std::string>{"Binary"}));
    EXPECT_FALSE(dialog.ChoosePath((folder / "gone.bin").string(), boxes));
    EXPECT_FALSE(dialog.OkEnabled());
    EXPECT_EQ(dialog.Formats(), (std::vector<std::string>{"Binary"}));
    EXPECT_EQ(boxes.Texts(), (std::vector<std::string>{"File not Accessible or not Exist!"}));
    EXPECT_EQ(dialog.Ok(buffer, status, boxes), OpenResult::Refused);
}

// Choosing a FIFO, or one taking a chosen file's name before OK, must not hold up the
// window's thread until a writer comes: it is refused at once, saying what it is. (Should
// the refusal regress into a wait, the test ends it by writing to the pipe.)
TEST_F(OpenFileDialogTest, SpecialFilesAreRefusedWithoutWaiting)
{
    const std::filesystem::path fifo = folder / "records.fifo";
    ASSERT_EQ(::mkfifo(fifo.c_str(), 0600), 0);
    const std::string refusal =
        "File not Accessible or not Exist!\n" + fifo.string() + " is a named pipe (FIFO), not a regular file: only files are loaded.";
    auto choice = std::async(std::launch::async, [&] { return dialog.ChoosePath(fifo.string(), boxes); });
    if (choice.wait_for(std::chrono::seconds(10)) != std::future_status::ready) {
        ADD_FAILURE() << "choosing a FIFO waits for a writer";
        ::close(::open(fifo.c_str(), O_WRONLY | O_NONBLOCK));
    }
    EXPECT_FALSE(choice.get());
    EXPECT_FALSE(dialog.OkEnabled());
    EXPECT_EQ(boxes.Texts(), std::vector<std::string>{refusal});

    // Chosen as a regular file, replaced by a FIFO before OK.
    const std::filesystem::path swapped = folder / "swapped.s19";
    WriteFile(swapped, "S107010001020304ED\r\n");
    ASSERT_TRUE(dialog.ChoosePath(swapped.string(), boxes));
    std::filesystem::remove(swapped);
    ASSERT_EQ(::mkfifo(swapped.c_str(), 0600), 0);
    boxes.shown.clear();
    auto load = std::async(std::launch::async, [&] { return dialog.Ok(buffer, status, boxes); });
    if (load.wait_for(std::chrono::seconds(10)) != std::future_status::ready) {
        ADD_FAILURE() << "loading a FIFO waits for a writer";
        ::close(::open(swapped.c_str(), O_WRONLY | O_NONBLOCK));
    }
    EXPECT_EQ(load.get(), OpenResult::Failed);
    EXPECT_EQ(boxes.Texts().size(), 1U);
    EXPECT_NE(boxes.Texts().front().find(" is a named pipe (FIFO)"), std::string::npos);
    EXPECT_TRUE(status.lines.empty());

    boxes.shown.clear();
    EXPECT_FALSE(dialog.ChoosePath(folder.Path().string(), boxes));
    EXPECT_EQ(boxes.Texts(), std::vector<std::string>{"File not Accessible or not Exist!\n" + folder.Path().string() +
                                                      " is a folder, not a regular file: only files are loaded."});
}

TEST_F(OpenFileDialogTest, OptionsSwapAReversedRangeAndTakeANegativeOffset)
{
    dialog.SetLoadEntireFile(false);
    dialog.SetLowText("0x01FF");
    dialog.SetHighText("0x0100");
    dialog.SetOffsetText("-256");
    dialog.SetClear(ClearMode::Ones);
    const auto options = dialog.Options(boxes);
    ASSERT_TRUE(options);
    EXPECT_EQ(options->lowFileAddress, 0x0100u);
    EXPECT_EQ(options->highFileAddress, 0x01FFu);
    EXPECT_EQ(options->offset, -256);
    EXPECT_EQ(options->clearMode, ClearMode::Ones);
}

TEST_F(OpenFileDialogTest, TheWholeFileIgnoresTheFieldsButKeepsTheClearMode)
{
    dialog.SetLowText("junk");
    dialog.SetClear(ClearMode::Zeros);
    const auto options = dialog.Options(boxes);
    ASSERT_TRUE(options);
    EXPECT_EQ(options->lowFileAddress, 0u);
    EXPECT_EQ(options->highFileAddress, 0xFFFFFFu);
    EXPECT_EQ(options->offset, 0);
    EXPECT_EQ(options->clearMode, ClearMode::Zeros);
    EXPECT_TRUE(boxes.shown.empty());
}

TEST_F(OpenFileDialogTest, RefusedFieldsShowTheirMessage)
{
    dialog.SetLoadEntireFile(false);
    dialog.SetLowText("100h");
    EXPECT_FALSE(dialog.Options(boxes));
    dialog.SetLowText("0x0100");
    dialog.SetOffsetText("0xZZ");
    EXPECT_FALSE(dialog.Options(boxes));
    EXPECT_EQ(boxes.Texts(), (std::vector<std::string>{kBadNumber, kBadNumber}));
}

TEST_F(OpenFileDialogTest, AnOffsetOfMinus256PlacesTheRangeAtTheStartOfTheBuffer)
{
    std::string bytes(0x200, '\0');
    for (int i = 0; i < 0x200; ++i) bytes[static_cast<std::size_t>(i)] = static_cast<char>(i & 0xFF);
    bytes[0x100] = 'A';
    WriteFile(folder / "image.bin", bytes);
    ASSERT_TRUE(dialog.ChoosePath((folder / "image.bin").string(), boxes));
    dialog.SetLoadEntireFile(false);
    dialog.SetLowText("0x0100");
    dialog.SetHighText("0x01FF");
    dialog.SetOffsetText("-256");
    ASSERT_EQ(dialog.Ok(buffer, status, boxes), OpenResult::Loaded);
    EXPECT_EQ(buffer.GetByte(0x0000), 'A');
    EXPECT_EQ(buffer.GetByte(0x00FF), 0xFF);
    EXPECT_EQ(buffer.GetByte(0x0100), 0x00) << "nothing beyond the range";
    EXPECT_EQ(status.Texts().back(), "Read file complete");
}

TEST_F(OpenFileDialogTest, AFileRemovedAfterItWasChosenFailsAndDisablesOk)
{
    WriteFile(folder / "soon gone.bin", "abc");
    ASSERT_TRUE(dialog.ChoosePath((folder / "soon gone.bin").string(), boxes));
    std::filesystem::remove(folder / "soon gone.bin");
    EXPECT_EQ(dialog.Ok(buffer, status, boxes), OpenResult::Failed);
    EXPECT_FALSE(dialog.OkEnabled());
    EXPECT_EQ(boxes.Texts(), (std::vector<std::string>{"File not Accessible or not Exist!"}));
    for (const auto& line : status.Texts()) EXPECT_NE(line, "Read file complete");
}

class SaveFileDialogTest : public ::testing::Test {
protected:
    TempFolder folder;
    MemoryBuffer buffer;
    RecordingBoxes boxes;
    RecordingStatus status;
    SaveFileDialog dialog{buffer.LastAddress()};
};

TEST_F(SaveFileDialogTest, OkWaitsForAFileAndTheFilterChoosesTheFormat)
{
    EXPECT_FALSE(dialog.OkEnabled());
    EXPECT_EQ(dialog.HighText(), "0xFFFF");
    EXPECT_EQ(dialog.LowText(), "0x0000");
    EXPECT_FALSE(dialog.Ok(buffer, status, boxes));

    const std::vector<std::pair<int, FileFormat>> filters{{1, FileFormat::ExtendedFormat},
                                                          {2, FileFormat::MotorolaS},
                                                          {3, FileFormat::Binary},
                                                          {4, FileFormat::ExtendedFormat},
                                                          {5, FileFormat::IntelHex}};
    for (const auto& [index, format] : filters) {
        dialog.FileChosen("/tmp/x", index);
        EXPECT_TRUE(dialog.OkEnabled());
        EXPECT_EQ(dialog.Format(), format) << index;
        EXPECT_EQ(dialog.SaveUnimplementedEnabled(), format != FileFormat::Binary);
    }
}

TEST_F(SaveFileDialogTest, TheWholeBufferInBinaryIs65536Bytes)
{
    buffer.SetUnimplemented(0x10, true);
    dialog.FileChosen((folder / "all.bin").string(), 3);
    ASSERT_TRUE(dialog.Ok(buffer, status, boxes));
    EXPECT_EQ(std::filesystem::file_size(folder / "all.bin"), 65536u);
    EXPECT_EQ(status.Texts().back(), "Write file complete");
}

TEST_F(SaveFileDialogTest, AReversedRangeIsTurnedRound)
{
    dialog.FileChosen((folder / "part.bin").string(), 3);
    dialog.SetSaveEntireBuffer(false);
    dialog.SetLowText("0x0200");
    dialog.SetHighText("0x0100");
    ASSERT_TRUE(dialog.Ok(buffer, status, boxes));
    EXPECT_EQ(std::filesystem::file_size(folder / "part.bin"), 0x101u);
}

TEST_F(SaveFileDialogTest, ARangeBeyondTheBufferIsRefusedAndNothingWritten)
{
    dialog.FileChosen((folder / "big.bin").string(), 3);
    dialog.SetSaveEntireBuffer(false);
    dialog.SetHighText("0x10000");
    EXPECT_FALSE(dialog.Ok(buffer, status, boxes));
    EXPECT_EQ(boxes.Texts(), (std::vector<std::string>{"Too big Address value"}));
    EXPECT_FALSE(std::filesystem::exists(folder / "big.bin"));
}

TEST_F(SaveFileDialogTest, AFailedWriteSaysWhyAndCountsAsNotSaved)
{
    dialog.FileChosen((folder / "missing folder" / "new.zef").string(), 1);
    EXPECT_FALSE(dialog.Ok(buffer, status, boxes));
    ASSERT_FALSE(status.lines.empty());
    EXPECT_EQ(status.lines.back().kind, StatusKind::Error);
}

// A read-only file that root could replace all the same is replaced only after a Yes.
TEST_F(SaveFileDialogTest, AReadOnlyFileIsReplacedOnlyAfterTheUserSaysYes)
{
    if (::geteuid() != 0) GTEST_SKIP() << "only root may write a read-only file";
    const auto path = folder / "release.bin";
    testing::WriteFileBytes(path, "earlier");
    std::filesystem::permissions(path, std::filesystem::perms::owner_read, std::filesystem::perm_options::replace);
    dialog.FileChosen(path.string(), 3);

    boxes.answers = {BoxAnswer::No};
    EXPECT_FALSE(dialog.Ok(buffer, status, boxes));
    EXPECT_EQ(testing::ReadFileBytes(path), "earlier");
    ASSERT_EQ(boxes.shown.size(), 1U);
    EXPECT_EQ(boxes.shown[0].buttons, BoxButtons::YesNo);
    EXPECT_EQ(boxes.shown[0].text, path.string() + " is read-only.\nReplace it anyway?");

    boxes.answers = {BoxAnswer::Yes};
    EXPECT_TRUE(dialog.Ok(buffer, status, boxes));
    EXPECT_EQ(std::filesystem::file_size(path), 65536U);
    EXPECT_EQ(std::filesystem::status(path).permissions(), std::filesystem::perms::owner_read);
}

// A file named in Setup is not asked for again; without one a job to a file asks.
TEST(PrintDialogModel, OnlyAFileNotNamedInSetupIsAskedFor)
{
    struct Case {
        bool printers;
        bool toFile;
        bool namedInSetup;
        PrintOutput output;
    };
    for (const Case c : {Case{true, false, false, PrintOutput::Printer},
                         Case{true, true, true, PrintOutput::FileFromSetup},
                         Case{false, true, true, PrintOutput::FileFromSetup},
                         Case{true, true, false, PrintOutput::AskForFile},
                         Case{false, false, false, PrintOutput::AskForFile},
                         Case{false, true, false, PrintOutput::AskForFile},
                         // A printer chosen after a file: the flag of the earlier Setup no longer counts.
                         Case{true, false, true, PrintOutput::Printer}}) {
        EXPECT_EQ(ChoosePrintOutput(c.printers, c.toFile, c.namedInSetup), c.output)
            << c.printers << c.toFile << c.namedInSetup;
    }
}

TEST(PrintDialogModel, TheRangeIsCheckedAndTheStartLineNamesThePrinter)
{
    RecordingBoxes boxes;
    PrintDialog dialog(MemoryBuffer::kLastAddress);
    EXPECT_EQ(dialog.FromText(), "0x0000");
    EXPECT_EQ(dialog.ToText(), "0xFFFF");
    dialog.SetFromText("0x01FF");
    dialog.SetToText("0x0100");
    dialog.SetBytesPerRow(32);
    const auto job = dialog.Ok(boxes);
    ASSERT_TRUE(job);
    EXPECT_EQ(job->range, (AddressRange{0x0100, 0x01FF}));
    EXPECT_EQ(job->bytesPerRow, 32);
    EXPECT_EQ(PrintStartLine(job->range, "Laser"), "Printing buffer : 0x0100-0x01FF -> Laser");

    dialog.SetToText("0x10000");
    EXPECT_FALSE(dialog.Ok(boxes));
    EXPECT_EQ(boxes.Texts(), (std::vector<std::string>{"Too big Address value"}));
}

} // namespace
} // namespace zav
