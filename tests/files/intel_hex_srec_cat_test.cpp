// Intel HEX against srec_cat, the reference tool: each reads what the other writes, on random
// images with holes, record lengths and extended addresses of srec_cat's choosing.
#include <gtest/gtest.h>

#include <cstdlib>
#include <random>
#include <string>

#include "buffer/memory_buffer.h"
#include "files/buffer_file_loader.h"
#include "files/buffer_file_saver.h"
#include "support/recording_messages.h"
#include "support/temp_folder.h"

namespace zav {
namespace {

using testing::RecordingBoxes;
using testing::RecordingStatus;
using testing::TempFolder;

constexpr std::int32_t kImageSize = 0x10000;

bool HaveSrecCat()
{
    return std::system("srec_cat -version >/dev/null 2>&1") == 0;
}

int RunShell(const std::string& command)
{
    return std::system((command + " 2>&1").c_str());
}

std::string RandomImage(std::mt19937& random)
{
    std::string image(kImageSize, '\0');
    for (char& byte : image) byte = static_cast<char>(random() & 0xFF);
    return image;
}

class IntelHexAgainstSrecCat : public ::testing::TestWithParam<unsigned> {
protected:
    void SetUp() override
    {
        if (!HaveSrecCat()) GTEST_SKIP() << "srec_cat is not installed (scripts/setup installs it)";
    }

    TempFolder folder;
    RecordingStatus status;
    RecordingBoxes boxes;
};

TEST_P(IntelHexAgainstSrecCat, SrecCatReadsWhatWeWrite)
{
    std::mt19937 random(GetParam());
    const std::string image = RandomImage(random);
    MemoryBuffer buffer;
    for (std::int32_t address = 0; address < kImageSize; ++address) {
        buffer.SetByte(address, static_cast<std::uint8_t>(image[static_cast<std::size_t>(address)]));
    }
    // Holes of random length, so records start and end off any alignment.
    for (int hole = 0; hole < 40; ++hole) {
        const std::int32_t start = static_cast<std::int32_t>(random() % kImageSize);
        const std::int32_t length = static_cast<std::int32_t>(random() % 100);
        for (std::int32_t a = start; a < std::min(start + length, kImageSize); ++a)
            buffer.SetUnimplemented(a, true);
    }
    const auto ours = folder / "ours.hex";
    const auto back = folder / "back.bin";
    ASSERT_TRUE(SaveBufferFile(ours, FileFormat::IntelHex, {}, buffer, status));
    ASSERT_EQ(RunShell("srec_cat '" + ours.string() + "' -intel -fill 0xFF 0 0x10000 -o '" + back.string() +
                       "' -binary"),
              0);
    const std::string read = testing::ReadFileBytes(back);
    ASSERT_EQ(read.size(), static_cast<std::size_t>(kImageSize));
    for (std::int32_t address = 0; address < kImageSize; ++address) {
        const auto expected = buffer.IsUnimplemented(address) ? 0xFF : buffer.GetByte(address);
        ASSERT_EQ(static_cast<std::uint8_t>(read[static_cast<std::size_t>(address)]), expected) << address;
    }
}

TEST_P(IntelHexAgainstSrecCat, WeReadWhatSrecCatWrites)
{
    std::mt19937 random(GetParam());
    const std::string image = RandomImage(random);
    const auto source = folder / "source.bin";
    testing::WriteFileBytes(source, image);
    // Placed above 64 KiB (extended linear records) or in a segment (extended segment
    // records), with srec_cat's choice of data bytes per record.
    const bool segmented = GetParam() % 2 == 0;
    const unsigned base = segmented ? 0x18000 : 0x30000;
    const unsigned perRecord = 1 + random() % 64;
    const auto theirs = folder / "theirs.hex";
    ASSERT_EQ(RunShell("srec_cat '" + source.string() + "' -binary -offset " + std::to_string(base) +
                       " -o '" + theirs.string() + "' -intel" + (segmented ? " -address-length=3" : "") +
                       " -obs=" + std::to_string(perRecord)),
              0);
    MemoryBuffer buffer;
    LoadOptions options;
    options.offset = -static_cast<std::int32_t>(base);
    ASSERT_TRUE(LoadBufferFile(theirs, FileFormat::IntelHex, options, buffer, status, boxes));
    for (const auto& line : status.lines) EXPECT_NE(line.kind, StatusKind::Warning) << line.text;
    for (std::int32_t address = 0; address < kImageSize; ++address) {
        ASSERT_EQ(buffer.GetByte(address),
                  static_cast<std::uint8_t>(image[static_cast<std::size_t>(address)]))
            << address;
    }
}

INSTANTIATE_TEST_SUITE_P(RandomImages, IntelHexAgainstSrecCat, ::testing::Values(1U, 2U, 3U, 4U));

} // namespace
} // namespace zav
