// A save told to stop: it never waits for a reader that does not come, and the old file
// stays as it was.
#include <gtest/gtest.h>

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <atomic>
#include <chrono>
#include <filesystem>
#include <string>
#include <thread>

#include "files/safe_file_writer.h"
#include "support/temp_folder.h"

namespace zav {
namespace {

namespace fs = std::filesystem;
using testing::ReadFileBytes;
using testing::TempFolder;

// More than a pipe holds, so a reader that does not read blocks the writer.
const std::string kBigContent(1 << 20, 'x');

TEST(SafeFileWriterStop, AStoppedSaveKeepsTheOldFileAndLeavesNothingBehind)
{
    for (const bool existing : {true, false}) {
        TempFolder folder;
        const fs::path target = folder / "image.zef";
        if (existing) {
            std::string ignored;
            ASSERT_TRUE(WriteFileSafely(target, "old", ignored));
        }
        const std::atomic<bool> stop{true};
        std::string failure;
        EXPECT_FALSE(WriteFileSafely(target, kBigContent, failure, {.stop = &stop}));
        EXPECT_EQ(failure, kSaveInterrupted);
        EXPECT_EQ(fs::exists(target), existing);
        if (existing) {
            EXPECT_EQ(ReadFileBytes(target), "old");
        }
        EXPECT_EQ(std::distance(fs::directory_iterator(folder.Path()), fs::directory_iterator()), existing ? 1 : 0);
    }
}

// A FIFO nobody opens, and one whose reader never reads: the stop ends either wait.
TEST(SafeFileWriterStop, AStopEndsTheWaitForAFifoReader)
{
    for (const bool readerOpens : {false, true}) {
        TempFolder folder;
        const fs::path fifo = folder / "out";
        ASSERT_EQ(::mkfifo(fifo.c_str(), 0600), 0);
        const int reader = readerOpens ? ::open(fifo.c_str(), O_RDONLY | O_NONBLOCK) : -1;
        std::atomic<bool> stop{false};
        std::thread stopper([&stop] {
            std::this_thread::sleep_for(std::chrono::milliseconds(50));
            stop = true;
        });
        std::string failure;
        EXPECT_FALSE(WriteFileSafely(fifo, kBigContent, failure, {.stop = &stop}));
        stopper.join();
        EXPECT_EQ(failure, kSaveInterrupted) << readerOpens;
        if (reader >= 0) ::close(reader);
    }
}

} // namespace
} // namespace zav
