#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "files/s_record.h"
#include "files/x_record.h"

namespace zav {
namespace {

using Bytes = std::vector<std::uint8_t>;

Bytes TextBytes(const std::string& text)
{
    return {text.begin(), text.end()};
}

struct LineExample {
    std::string type;
    std::uint32_t address;
    Bytes data;
    std::string line;
};

const std::vector<LineExample> kXExamples = {
    {"X0", 0, TextBytes("abc"), "X00007000000616263D2"},
    {"X0", 0, {}, "X00004000000FB"},
    {"X7", 0x0100, {1, 2, 3, 4}, "X7000800010001020304EC"},
    {"X2", 0x0103, {0xB0, 'a', 'b', 'c'}, "X20008000103B06162631D"},
};

const std::vector<LineExample> kSExamples = {
    {"S0", 0, TextBytes("abc"), "S0060000616263D3"},
    {"S1", 0x0100, {1, 2, 3, 4}, "S107010001020304ED"},
    {"S9", 0, {}, "S9030000FC"},
};

TEST(RecordLines, ExampleLinesFormatAndParseByteForByte)
{
    FileRecord record;
    for (const auto& example : kXExamples) {
        EXPECT_EQ(FormatXLine(example.type, example.address, example.data), example.line);
        ASSERT_TRUE(ParseXLine(example.line, record)) << example.line;
        EXPECT_EQ(record.type, example.type);
        EXPECT_EQ(record.address, example.address);
        EXPECT_EQ(record.data, example.data);
    }
    for (const auto& example : kSExamples) {
        EXPECT_EQ(FormatSLine(example.type, example.address, example.data), example.line);
        ASSERT_TRUE(ParseSLine(example.line, record)) << example.line;
        EXPECT_EQ(record.type, example.type);
        EXPECT_EQ(record.address, example.address);
        EXPECT_EQ(record.data, example.data);
    }
}

TEST(RecordLines, LeadingControlsTrailingTextAndLowerCaseTypeAreAccepted)
{
    FileRecord record;
    ASSERT_TRUE(ParseXLine(" \t\x01x7000800010001020304EC trailing", record));
    EXPECT_EQ(record.type, "X7");
    EXPECT_EQ(record.data, (Bytes{1, 2, 3, 4}));
    ASSERT_TRUE(ParseSLine("\x1F s107010001020304EDxyz", record));
    EXPECT_EQ(record.type, "S1");
    EXPECT_EQ(record.address, 0x0100U);
}

TEST(RecordLines, CorruptXLinesAreRejected)
{
    FileRecord record;
    for (const std::string line : {
             "", "   ",
             "X0000400000F",           // one character short of the checksum
             "X7000800010001020304ec", // lower-case checksum digits
             "X7000800010001020304ED", // wrong checksum
             "X7000300010001020304EC", // count below 4
             "X7000900010001020304EC", // count reaches past the line
             "X70008000100010G0304EC", // not a hex digit
         }) {
        EXPECT_FALSE(ParseXLine(line, record)) << '"' << line << '"';
    }
}

TEST(RecordLines, CorruptSLinesAreRejected)
{
    FileRecord record;
    for (const std::string line : {
             "",
             "S9030000F",          // short
             "S107010001020304ed", // lower-case digits
             "S107010001020304EE", // wrong checksum
             "S1020100FC",         // count below 3
             "S2030001FB",         // 24-bit type, count below 4
             "S108010001020304ED", // count reaches past the line
         }) {
        EXPECT_FALSE(ParseSLine(line, record)) << '"' << line << '"';
    }
}

TEST(RecordLines, S2AndS8Carry24BitAddressesOtherTypes16)
{
    FileRecord record;
    ASSERT_TRUE(ParseSLine("S205012345AAE7", record));
    EXPECT_EQ(record.address, 0x012345U);
    EXPECT_EQ(record.data, (Bytes{0xAA}));

    ASSERT_TRUE(ParseSLine("S80401234592", record));
    EXPECT_EQ(record.type, "S8");
    EXPECT_EQ(record.address, 0x012345U);

    // S3 is read with a 16-bit address like every type but S2 and S8.
    ASSERT_TRUE(ParseSLine("S3050123AABB71", record));
    EXPECT_EQ(record.type, "S3");
    EXPECT_EQ(record.address, 0x0123U);
    EXPECT_EQ(record.data, (Bytes{0xAA, 0xBB}));
}

TEST(RecordLines, XRecordsHoldUpTo65531DataBytes)
{
    const Bytes largest(kMaxXRecordData, 0x5A);
    const std::string line = FormatXLine("X3", 0, largest);
    EXPECT_EQ(line.substr(0, 6), "X3FFFF");
    FileRecord record;
    ASSERT_TRUE(ParseXLine(line, record));
    EXPECT_EQ(record.data, largest);
}

TEST(RecordLines, FormattingKeepsTheAddressWidthOfTheFormat)
{
    EXPECT_EQ(FormatSLine("S1", 0x12345, Bytes{}), FormatSLine("S1", 0x2345, Bytes{}));
    FileRecord record;
    ASSERT_TRUE(ParseXLine(FormatXLine("X7", 0xABCDEF, Bytes{0x11}), record));
    EXPECT_EQ(record.address, 0xABCDEFU);
}

} // namespace
} // namespace zav
