// A real part finishes a write it has started: the simulated one does so when the link
// lets go and before its image is saved, and two runs never share one image.
#include <gtest/gtest.h>

#include <unistd.h>

#include <atomic>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>

#include "boardsim/image_file_lock.h"
#include "boardsim/simulated_board.h"
#include "link/programmer_link.h"

namespace zav {
namespace {

namespace fs = std::filesystem;

class ImageFolder : public testing::Test {
protected:
    ImageFolder()
    {
        folder = fs::temp_directory_path() / ("zav-image-" + std::to_string(::getpid()) + "-" +
                                              testing::UnitTest::GetInstance()->current_test_info()->name());
        fs::create_directories(folder);
    }
    ~ImageFolder() override { fs::remove_all(folder); }

    static std::string Bytes(const fs::path& path)
    {
        std::ifstream file(path, std::ios::binary);
        return {std::istreambuf_iterator<char>(file), std::istreambuf_iterator<char>()};
    }

    fs::path folder;
};

TEST(CompletedWrites, TheLastWriteOfAReadyLineBoardLandsWhenTheLinkCloses)
{
    for (const std::uint8_t code : {0, 2, 3}) {
        BoardSimOptions options;
        options.boardCode = code;
        SimulatedBoard board(options);
        std::atomic<bool> stop{false};
        {
            ProgrammerLink link(board.Access());
            link.Open("LPT1", 0, stop, code);
            ASSERT_EQ(link.LastError(), "") << int(code);
            link.ResetTarget();
            if (code == 2) static_cast<void>(link.ReadBoardId());
            link.WriteByteAt(0x0105, 0x3C);
            ASSERT_EQ(link.LastError(), "") << int(code);
        }
        EXPECT_EQ(board.Target().Peek(0x0105), 0x3C) << "code " << int(code);
    }
}

TEST(CompletedWrites, TheLastSerialWriteLandsWhenTheLineCloses)
{
    BoardSimOptions options;
    options.boardCode = 1;
    SimulatedBoard board(options);
    std::atomic<bool> stop{false};
    {
        ProgrammerLink link(board.Access());
        link.Open("COM1", 0, stop, 1);
        link.ResetTarget();
        ASSERT_TRUE(link.UploadLoader());
        link.SendEraseCommand();
        ASSERT_EQ(link.LastError(), "");
    }
    EXPECT_EQ(board.Target().Peek(0x0300), 0xFF);
}

TEST_F(ImageFolder, ASavedImageHoldsTheWriteInProgressAndReplacesTheFileWhole)
{
    VirtualClock clock;
    SimulatedTarget target(clock, 10, std::nullopt);
    const fs::path image = folder / "memory.img";
    target.Write(0x1234, 0x42);
    ASSERT_TRUE(target.Busy());
    ASSERT_TRUE(target.SaveImage(image));
    const std::string saved = Bytes(image);
    ASSERT_EQ(saved.size(), SimulatedTarget::kSize);
    EXPECT_EQ(saved[0x1234], '\x42');
    EXPECT_EQ(fs::directory_iterator(folder)->path().filename(), "memory.img");
}

TEST_F(ImageFolder, AnEmptyImageIsErasedMemory)
{
    VirtualClock clock;
    SimulatedTarget target(clock, 0, std::nullopt);
    target.Fill(0x00);
    std::ofstream(folder / "empty.img").close();
    ASSERT_TRUE(target.LoadImage(folder / "empty.img"));
    EXPECT_EQ(target.Peek(0x0000), 0xFF);
    EXPECT_EQ(target.Peek(0xFFFF), 0xFF);
}

TEST_F(ImageFolder, ASecondRunOnAnImageInUseIsRefusedUntilTheFirstEnds)
{
    const fs::path image = folder / "memory.img";
    ImageFileLock first;
    std::string failure;
    ASSERT_TRUE(first.Acquire(image, failure)) << failure;
    EXPECT_TRUE(fs::exists(image)) << "a missing image is created to be locked";

    ImageFileLock second;
    EXPECT_FALSE(second.Acquire(image, failure));
    EXPECT_EQ(failure, "in use by another run of the simulated board");

    // The first run saves (a new file under the old name) and ends.
    VirtualClock clock;
    SimulatedTarget target(clock, 0, std::nullopt);
    ASSERT_TRUE(target.SaveImage(image));
    first.Release();
    EXPECT_TRUE(second.Acquire(image, failure)) << failure;

    ImageFileLock nowhere;
    EXPECT_FALSE(nowhere.Acquire(folder / "missing" / "memory.img", failure));
    EXPECT_EQ(failure, "No such file or directory");
}

} // namespace
} // namespace zav
