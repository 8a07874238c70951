#include <gtest/gtest.h>

#include <cstdio>
#include <fstream>
#include <random>
#include <string>
#include <vector>

#include "buffer/checksum.h"
#include "buffer/memory_buffer.h"
#include "support/temp_folder.h"

namespace zav::testing {
namespace {

std::vector<std::uint8_t> Bytes(const std::string& text)
{
    return {text.begin(), text.end()};
}

TEST(Checksum, KnownValues)
{
    struct Case {
        std::string input;
        Checksums expected;
    };
    const Case cases[] = {
        {"", {0x00000000U, 0x0000}},
        {"123456789", {0xCBF43926U, 0x01DD}},
        {std::string(300, '\xFF'), {0x1C0A1881U, 0x2AD4}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.input.size());
        EXPECT_EQ(ChecksumsOf(Bytes(c.input)), c.expected);
    }
}

TEST(Checksum, AgreesWithPythonsZlibOverRandomBytes)
{
    TempFolder folder;
    std::mt19937 random(2026);
    std::vector<std::uint8_t> bytes(65536);
    for (std::uint8_t& byte : bytes) byte = static_cast<std::uint8_t>(random());
    const auto file = folder / "bytes.bin";
    std::ofstream(file, std::ios::binary).write(reinterpret_cast<const char*>(bytes.data()),
                                                 static_cast<std::streamsize>(bytes.size()));
    const std::string command = "python3 -c \"import sys, zlib; print(zlib.crc32(open(sys.argv[1], 'rb').read()))\" " +
                                file.string() + " 2>/dev/null";
    FILE* pipe = popen(command.c_str(), "r");
    ASSERT_NE(pipe, nullptr);
    unsigned long reference = 0;
    const int read = std::fscanf(pipe, "%lu", &reference);
    if (pclose(pipe) != 0 || read != 1) GTEST_SKIP() << "python3 with zlib is not available";
    EXPECT_EQ(ChecksumsOf(bytes).crc32, static_cast<std::uint32_t>(reference));
}

TEST(Checksum, ContinuesOverPiecesAndTakesBufferRangesInTheirOrder)
{
    const std::vector<std::uint8_t> whole = Bytes("The quick brown fox");
    const std::uint32_t head = Crc32(std::span(whole).first(7));
    EXPECT_EQ(Crc32(std::span(whole).subspan(7), head), Crc32(whole));

    MemoryBuffer buffer;
    buffer.BeginUpdate();
    for (std::int32_t i = 0; i < 4; ++i) buffer.SetByte(0x1000 + i, static_cast<std::uint8_t>('a' + i));
    buffer.SetByte(0x20, 'z');
    buffer.EndUpdate();
    EXPECT_EQ(BufferChecksums(buffer, {{0x1000, 0x1003}, {0x20, 0x20}}), ChecksumsOf(Bytes("abcdz")));
    EXPECT_EQ(ChecksumsText({0xCBF43926U, 0x01DD}), "crc32 0xCBF43926 sum16 0x01DD");
}

} // namespace
} // namespace zav::testing
