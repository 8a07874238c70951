#include <gtest/gtest.h>

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <filesystem>
#include <fstream>
#include <string>
#include <thread>
#include <vector>

#include "files/crc32.h"
#include "files/safe_file_writer.h"
#include "support/temp_folder.h"

namespace zav {
namespace {

using testing::ReadFileBytes;
using testing::TempFolder;

TEST(Crc32Test, MatchesTheCommonChecksumAndCanBeFedInPieces)
{
    EXPECT_EQ(Crc32(""), 0x00000000U);
    EXPECT_EQ(Crc32("123456789"), 0xCBF43926U);
    EXPECT_EQ(Crc32("6789", Crc32("12345")), 0xCBF43926U);
}

TEST(AppendRecordTest, AddsRecordsToANewOrExistingLog)
{
    TempFolder folder;
    const auto log = folder / "parts.jsonl";
    std::string failure;
    ASSERT_TRUE(AppendRecordSafely(log, "{\"a\":1}\n", failure)) << failure;
    ASSERT_TRUE(AppendRecordSafely(log, "{\"a\":2}\n", failure, Durability::Unsynced)) << failure;
    EXPECT_EQ(ReadFileBytes(log), "{\"a\":1}\n{\"a\":2}\n");
}

// A log is only ever added to: whatever it holds stays byte for byte, and a file whose last
// line has no end (a record a crash cut short, a file that was never a log) gets one first.
TEST(AppendRecordTest, KeepsEveryByteAndStartsTheRecordOnALineOfItsOwn)
{
    std::string binary(32 * 1024, '\0');
    for (std::size_t i = 0; i < binary.size(); ++i) binary[i] = static_cast<char>(i * 13 + 1);
    if (binary.back() == '\n') binary.back() = 'x';
    const struct {
        std::string before;
        std::string after;
    } cases[] = {
        {"", "{\"b\":2}\n"},
        {"{\"a\":1}\n", "{\"a\":1}\n{\"b\":2}\n"},
        {"{\"a\":1}\n{\"a\":", "{\"a\":1}\n{\"a\":\n{\"b\":2}\n"},
        {binary, binary + "\n{\"b\":2}\n"},
    };
    for (const auto& c : cases) {
        TempFolder folder;
        const auto log = folder / "parts.jsonl";
        {
            std::ofstream stream(log, std::ios::binary);
            stream << c.before;
        }
        std::string failure;
        ASSERT_TRUE(AppendRecordSafely(log, "{\"b\":2}\n", failure)) << failure;
        EXPECT_EQ(ReadFileBytes(log), c.after) << c.before.size() << " bytes before";
    }
}

TEST(AppendRecordTest, RecordsFromManyWritersNeverInterleave)
{
    TempFolder folder;
    const auto log = folder / "parts.jsonl";
    const std::string record(3000, 'r');
    std::vector<std::thread> writers;
    for (int writer = 0; writer < 4; ++writer) {
        writers.emplace_back([&] {
            std::string failure;
            for (int i = 0; i < 25; ++i)
                EXPECT_TRUE(AppendRecordSafely(log, record + "\n", failure, Durability::Unsynced));
        });
    }
    for (std::thread& writer : writers) writer.join();
    const std::string content = ReadFileBytes(log);
    std::string expected;
    for (int i = 0; i < 100; ++i) expected += record + "\n";
    EXPECT_EQ(content, expected);
}

// Only a regular file is a log: records sent into a FIFO or a device are gone for whoever
// looks for them later, and opening a FIFO nobody reads would hold the run.
TEST(AppendRecordTest, RefusesWhatIsNoRegularFileWithTheReason)
{
    TempFolder folder;
    const auto fifo = folder / "fifo";
    ASSERT_EQ(::mkfifo(fifo.c_str(), 0600), 0);
    const struct {
        std::filesystem::path target;
        std::string failure;
    } cases[] = {
        {folder.Path(), "a folder, not a regular file"},
        {fifo, "a named pipe (FIFO), not a regular file"},
        {"/dev/full", "a character device, not a regular file"},
        {folder / "missing" / "log", "No such file or directory"},
    };
    for (const auto& c : cases) {
        std::string failure;
        EXPECT_FALSE(AppendRecordSafely(c.target, "x\n", failure)) << c.target;
        EXPECT_EQ(failure, c.failure);
    }
}

} // namespace
} // namespace zav
