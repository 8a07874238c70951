#include <gtest/gtest.h>

#include <sstream>
#include <string>
#include <vector>

#include "buffer/memory_buffer.h"
#include "files/buffer_file_content.h"
#include "files/buffer_file_loader.h"
#include "files/detect_file_formats.h"
#include "files/file_format.h"
#include "files/intel_hex_record.h"
#include "support/recording_messages.h"

namespace zav {
namespace {

using testing::RecordingStatus;
using Bytes = std::vector<std::uint8_t>;
using Names = std::vector<std::string>;

constexpr char kWarning[] = "Unrecognized Line in Intel HEX file !";

TEST(IntelHexLine, PublishedExamplesFormatAndParse)
{
    struct Example {
        IntelHexType type;
        std::uint16_t address;
        Bytes data;
        std::string line;
    };
    const std::vector<Example> examples = {
        {IntelHexType::Data,
         0x0100,
         {0x21, 0x46, 0x01, 0x36, 0x01, 0x21, 0x47, 0x01, 0x36, 0x00, 0x7E, 0xFE, 0x09, 0xD2, 0x19, 0x01},
         ":10010000214601360121470136007EFE09D2190140"},
        {IntelHexType::EndOfFile, 0, {}, ":00000001FF"},
        {IntelHexType::ExtendedLinearAddress, 0, {0x08, 0x00}, ":020000040800F2"},
        {IntelHexType::ExtendedSegmentAddress, 0, {0x12, 0x00}, ":020000021200EA"},
        {IntelHexType::StartLinearAddress, 0, {0x00, 0x00, 0x00, 0xCD}, ":04000005000000CD2A"},
    };
    IntelHexRecord record;
    for (const auto& example : examples) {
        EXPECT_EQ(FormatIntelHexLine(example.type, example.address, example.data), example.line);
        ASSERT_TRUE(ParseIntelHexLine(example.line, record)) << example.line;
        EXPECT_EQ(record.type, static_cast<std::uint8_t>(example.type));
        EXPECT_EQ(record.address, example.address);
        EXPECT_EQ(record.data, example.data);
    }
}

TEST(IntelHexLine, DamagedLinesAreRefusedAndHarmlessVariationsRead)
{
    IntelHexRecord record;
    EXPECT_FALSE(ParseIntelHexLine(":00000001FE", record));    // checksum
    EXPECT_FALSE(ParseIntelHexLine(":0300000001020", record)); // cut short
    EXPECT_FALSE(ParseIntelHexLine("00000001FF", record));     // no colon
    EXPECT_FALSE(ParseIntelHexLine(":0000G001FF", record));    // not hex
    EXPECT_FALSE(ParseIntelHexLine(":0000", record));
    EXPECT_FALSE(ParseIntelHexLine("", record));
    EXPECT_TRUE(ParseIntelHexLine(" \t:020000040800f2 trailing", record)); // lower case, blanks, tail
    EXPECT_EQ(record.data, (Bytes{0x08, 0x00}));
    EXPECT_TRUE(ParseIntelHexLine(":00000007F9", record)); // unknown types are the loader's call
    EXPECT_EQ(record.type, 7);
}

TEST(IntelHexLine, LongDataIsCutToOneCountByte)
{
    const Bytes data(300, 0xAA);
    IntelHexRecord record;
    ASSERT_TRUE(ParseIntelHexLine(FormatIntelHexLine(IntelHexType::Data, 0, data), record));
    EXPECT_EQ(record.data.size(), kMaxIntelHexData);
}

TEST(IntelHexDetection, AColonRecordAtTheStartOffersIntelHexFirst)
{
    EXPECT_EQ(DetectFileFormats(":10010000214601360121470136007EFE09D2190140\r\n"),
              (Names{"Intel HEX", "Binary"}));
    EXPECT_EQ(DetectFileFormats("\r\n  :020000040800f2\n"), (Names{"Intel HEX", "Binary"}));
    EXPECT_EQ(DetectFileFormats(":S1"), (Names{"Motorola S", "Binary"}));
    EXPECT_EQ(DetectFileFormats("x :10"), (Names{"Binary"}));
    EXPECT_EQ(DetectFileFormats(":"), (Names{"Binary"}));
    EXPECT_EQ(FileFormatFromDisplayName("Intel HEX"), FileFormat::IntelHex);
    EXPECT_EQ(FileFormatExtension(FileFormat::IntelHex), "hex");
}

class IntelHexLoad : public ::testing::Test {
protected:
    bool Load(const std::string& content, const LoadOptions& options = {})
    {
        std::istringstream input(content);
        return LoadBufferStream(input, "test.hex", FileFormat::IntelHex, options, buffer, status);
    }

    [[nodiscard]] std::vector<std::string> Warnings() const
    {
        std::vector<std::string> warnings;
        for (const auto& line : status.lines) {
            if (line.kind == StatusKind::Warning) warnings.push_back(line.text);
        }
        return warnings;
    }

    MemoryBuffer buffer;
    RecordingStatus status;
};

TEST_F(IntelHexLoad, DataLandsAtItsAddressAndTheEndRecordStopsReading)
{
    ASSERT_TRUE(Load(":0401000001020304F1\n"
                     ":0400000300003800C1\n" // start segment: ignored
                     ":04000005000000CD2A\r" // start linear: ignored
                     ":00000001FF\r\n"
                     ":0102000077"
                     "86\n")); // after the end: not read
    EXPECT_EQ(buffer.GetByte(0x0100), 0x01);
    EXPECT_EQ(buffer.GetByte(0x0103), 0x04);
    EXPECT_EQ(buffer.GetByte(0x0200), 0x00);
    EXPECT_TRUE(Warnings().empty());
    EXPECT_EQ(status.lines.front().text, "Reading file : test.hex");
}

TEST_F(IntelHexLoad, ExtendedAddressesMoveTheFileAddress)
{
    // Linear base 0x10000 with the offset bringing it back into the buffer.
    LoadOptions options;
    options.lowFileAddress = 0x10000;
    options.highFileAddress = 0x1FFFF;
    options.offset = -0x10000;
    ASSERT_TRUE(Load(":02000004000"
                     "1F9\n"
                     ":02001000AABB89\n"
                     ":00000001FF\n",
                     options));
    EXPECT_EQ(buffer.GetByte(0x0010), 0xAA);
    EXPECT_EQ(buffer.GetByte(0x0011), 0xBB);

    // Segment 0x0010 starts at file address 0x0100; a record's addresses wrap inside it.
    options = {};
    options.offset = -0x100;
    ASSERT_TRUE(Load(":020000020010EC\n"
                     ":02FFFF00CCDD57\n",
                     options));
    EXPECT_EQ(buffer.GetByte(0xFFFF), 0xCC);
    EXPECT_EQ(buffer.GetByte(0x0000), 0xDD);
    EXPECT_TRUE(Warnings().empty());
}

TEST_F(IntelHexLoad, BadLinesAreWarnedOnceEachAndSkipped)
{
    ASSERT_TRUE(Load(":0100000011EE\n"
                     ":0100010022DD\n" // checksum off by one
                     "garbage\n"
                     "\n"
                     ":0100020033CA\n"
                     ":0100000600F9\n"     // unknown type
                     ":03000004000000F9\n" // extended address with three bytes
                     ":0100030044B8\n"));
    std::vector<std::string> expected(5, kWarning);
    expected.emplace_back(
        "5 lines not read: 4 are not valid Intel HEX records, 1 is blank (first at line 2)");
    EXPECT_EQ(Warnings(), expected);
    EXPECT_EQ(buffer.GetByte(0), 0x11);
    EXPECT_EQ(buffer.GetByte(1), 0x00);
    EXPECT_EQ(buffer.GetByte(2), 0x33);
    EXPECT_EQ(buffer.GetByte(3), 0x44);
}

TEST(IntelHexSave, SixteenBytesARecordSkippingUnimplementedCellsThenTheEndRecord)
{
    MemoryBuffer buffer;
    for (std::int32_t address = 0x0100; address < 0x0128; ++address) {
        buffer.SetByte(address, static_cast<std::uint8_t>(address));
    }
    buffer.SetUnimplemented(0x0120, true);
    SaveOptions options;
    options.lowAddress = 0x0100;
    options.highAddress = 0x0127;
    std::string content;
    std::string refusal;
    ASSERT_TRUE(FormatBufferFile(buffer, FileFormat::IntelHex, options, content, refusal));
    std::istringstream lines(content);
    std::vector<std::string> read;
    for (std::string line; std::getline(lines, line);) read.push_back(line);
    ASSERT_EQ(read.size(), 4U);
    EXPECT_EQ(read[0].substr(0, 9), ":10010000");
    EXPECT_EQ(read[1].substr(0, 9), ":10011000");
    EXPECT_EQ(read[2], FormatIntelHexLine(IntelHexType::Data, 0x0121,
                                          Bytes{0x21, 0x22, 0x23, 0x24, 0x25, 0x26, 0x27}) +
                           "\r");
    EXPECT_EQ(read[3], ":00000001FF\r");

    MemoryBuffer loaded;
    RecordingStatus status;
    std::istringstream input(content);
    ASSERT_TRUE(LoadBufferStream(input, "saved", FileFormat::IntelHex, {}, loaded, status));
    for (std::int32_t address = 0; address <= loaded.LastAddress(); ++address) {
        const bool saved = address >= 0x0100 && address < 0x0128 && address != 0x0120;
        ASSERT_EQ(loaded.GetByte(address), saved ? buffer.GetByte(address) : 0) << address;
    }
}

} // namespace
} // namespace zav
