#include <gtest/gtest.h>

#include "buffer/memory_buffer.h"
#include "sequences/program_settings.h"
#include "shell/interlocked_commands.h"
#include "shell/message_list_text.h"
#include "shell/open_file_directly.h"
#include "support/recording_messages.h"
#include "support/temp_folder.h"

namespace zav {
namespace {

using testing::ReadFileBytes;
using testing::TempFolder;
using testing::WriteFileBytes;

TEST(InterlockedCommandsTest, ABusyPortDisablesAllButTheRunningSequencesStart)
{
    EXPECT_EQ(EnabledCommands(true, false, false), (InterlockedCommands{true, true, true, true, true}));
    EXPECT_EQ(EnabledCommands(false, true, false), (InterlockedCommands{false, false, false, true, false}));
    EXPECT_EQ(EnabledCommands(false, false, true), (InterlockedCommands{false, false, false, false, true}));
    EXPECT_EQ(EnabledCommands(false, false, false), (InterlockedCommands{false, false, false, false, false}))
        << "a port scan owns the port";
}

TEST(MessageListTextTest, LinesLoseTheirKindTagAndEndInCrLfAlsoInTheSavedFile)
{
    const std::vector<std::string> lines{"0Read file complete", "2Device not responding", "1", ""};
    const std::string expected = "Read file complete\r\nDevice not responding\r\n\r\n\r\n";
    EXPECT_EQ(MessageListText(lines), expected);
    EXPECT_EQ(MessageListText({}), "");

    TempFolder folder;
    std::string failure;
    ASSERT_TRUE(SaveMessageList(folder / "messages.txt", lines, failure)) << failure;
    EXPECT_EQ(ReadFileBytes(folder / "messages.txt"), expected);
    EXPECT_FALSE(SaveMessageList(folder / "missing" / "messages.txt", lines, failure));
    EXPECT_FALSE(failure.empty());
}

class OpenFileDirectlyTest : public ::testing::Test {
protected:
    TempFolder folder;
    MemoryBuffer buffer;
    ProgramSettings settings;
    testing::RecordingStatus status;
    testing::RecordingBoxes boxes;
};

TEST_F(OpenFileDirectlyTest, LoadsAsTheOpenDialogsDefaultsAndRemembersTheFile)
{
    settings.RecentFiles = {"/older.bin"};
    buffer.BeginUpdate();
    buffer.SetByte(0x0000, 0x77);
    buffer.EndUpdate();
    const std::string path = (folder / "image.hex").string();
    WriteFileBytes(path, ":0400100001020304E2\r\n:00000001FF\r\n");

    EXPECT_EQ(OpenFileDirectly(path, buffer, settings, status, boxes), OpenResult::Loaded);
    EXPECT_EQ(buffer.GetByte(0x0013), 0x04) << "read as Intel HEX, the detected format";
    EXPECT_EQ(buffer.GetByte(0x0000), 0x77) << "nothing cleared";
    EXPECT_EQ(status.Texts().back(), "Read file complete");
    EXPECT_EQ(settings.RecentFiles, (std::vector<std::string>{path, "/older.bin"}));
    EXPECT_TRUE(boxes.shown.empty());
}

TEST_F(OpenFileDirectlyTest, AFileThatCannotBeReadIsReportedInTheMessageList)
{
    EXPECT_EQ(OpenFileDirectly((folder / "gone.hex").string(), buffer, settings, status, boxes), OpenResult::Failed);
    ASSERT_EQ(status.lines.size(), 1u);
    EXPECT_EQ(status.lines[0].kind, StatusKind::Error);
    EXPECT_TRUE(boxes.shown.empty());
    EXPECT_TRUE(settings.RecentFiles.empty());
}

} // namespace
} // namespace zav
