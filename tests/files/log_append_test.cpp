#include <gtest/gtest.h>

#include <fcntl.h>
#include <unistd.h>

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

// A record cut short by a crash is dropped before the next one, so the log holds whole
// records only; a log without any newline yet is all torn.
TEST(AppendRecordTest, DropsARecordACrashCutShort)
{
    const struct {
        std::string before;
        std::string after;
    } cases[] = {
        {"{\"a\":1}\n{\"a\":", "{\"a\":1}\n{\"b\":2}\n"},
        {"{\"a\"", "{\"b\":2}\n"},
        {std::string(5000, 'x') + "\n" + std::string(9000, 'y'), std::string(5000, 'x') + "\n{\"b\":2}\n"},
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
        EXPECT_EQ(ReadFileBytes(log), c.after);
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

TEST(AppendRecordTest, ReportsWhyALogCannotBeWritten)
{
    TempFolder folder;
    std::string failure;
    EXPECT_FALSE(AppendRecordSafely(folder.Path(), "x\n", failure));
    EXPECT_EQ(failure, "Is a directory");
    EXPECT_FALSE(AppendRecordSafely(folder / "missing" / "log", "x\n", failure));
    EXPECT_EQ(failure, "No such file or directory");
    // A full disk takes nothing of the record.
    EXPECT_FALSE(AppendRecordSafely("/dev/full", "x\n", failure));
    EXPECT_EQ(failure, "No space left on device");
}

} // namespace
} // namespace zav
