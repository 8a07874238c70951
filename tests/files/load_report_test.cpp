#include <gtest/gtest.h>

#include <climits>
#include <sstream>
#include <string>
#include <vector>

#include "buffer/memory_buffer.h"
#include "files/buffer_file_loader.h"
#include "files/s_record.h"
#include "files/x_record.h"
#include "support/recording_messages.h"

namespace zav {
namespace {

using testing::RecordingStatus;
using Bytes = std::vector<std::uint8_t>;

struct SummaryCase {
    const char* what;
    FileFormat format;
    std::string content;
    LoadOptions options;
    // The summary line after the per-line warnings; empty: the file was taken whole.
    std::string summary;
    bool dataDropped;
};

std::string Lines(const std::vector<std::string>& lines)
{
    std::string text;
    for (const std::string& line : lines) text += line + "\r\n";
    return text;
}

// What a load did not take is counted by kind and summed up in one warning, so a file read in
// the wrong format, of records the reader skips, or placed past the buffer never looks loaded.
TEST(LoadSummary, NamesWhatWasNotReadAndWhatWasNotLoaded)
{
    const std::string data = FormatSLine("S1", 0x0100, Bytes{1, 2, 3, 4});
    const std::string s3 = FormatSLine("S3", 0x0000, Bytes{0x01, 0x00, 0xAA, 0xBB});
    const std::string s5 = FormatSLine("S5", 0x0001, Bytes{});
    const std::string s7 = FormatSLine("S7", 0x0000, Bytes{0x00, 0x00});
    std::vector<std::string> manyTypes;
    for (const char* type : {"X4", "X5", "X6", "X8", "X9", "XA", "XB", "XC", "XD", "XE"})
        manyTypes.push_back(FormatXLine(type, 0, Bytes{1}));
    const std::vector<SummaryCase> cases = {
        {"whole", FileFormat::MotorolaS, Lines({data, "S9030000FC"}), {}, "", false},
        {"empty", FileFormat::Binary, "", {}, "No data loaded", false},
        {"S3 only",
         FileFormat::MotorolaS,
         Lines({s3, s3, s7}),
         {},
         "No data loaded; 3 lines not read: S3, S7 records are not read (first at line 1)",
         true},
        {"a count record carries no data",
         FileFormat::MotorolaS,
         Lines({data, s5}),
         {},
         "1 line not read: S5 records are not read",
         false},
        {"blank lines carry no data",
         FileFormat::MotorolaS,
         Lines({data, ""}),
         {},
         "1 line not read: 1 is blank",
         false},
        {"S19 read as Intel HEX",
         FileFormat::IntelHex,
         Lines({"S0030000FC", data, "S9030000FC"}),
         {},
         "No data loaded; 3 lines not read: 3 are not valid Intel HEX records (first at line 1)",
         true},
        {"past the end",
         FileFormat::Binary,
         "ABCD",
         {0, 0xFFFFFF, 0xFFFE, ClearMode::None},
         "2 bytes beyond 0xFFFF not loaded (file addresses 0x000002-0x000003)",
         true},
        {"before the start",
         FileFormat::Binary,
         "ABCD",
         {0, 0xFFFFFF, INT_MIN, ClearMode::None},
         "No data loaded; 4 bytes below 0x0000 not loaded (file addresses 0x000000-0x000003)",
         true},
        {"larger than the buffer",
         FileFormat::Binary,
         std::string(0x10001, 'x'),
         {},
         "1 byte beyond 0xFFFF not loaded (file address 0x010000)",
         true},
        {"a hostile file's many record types",
         FileFormat::ExtendedFormat,
         Lines(manyTypes),
         {},
         "No data loaded; 10 lines not read: X4, X5, X6, X8, X9, XA, XB, XC and other records are not read "
         "(first at line 1)",
         true},
        {"outside the chosen range",
         FileFormat::Binary,
         std::string(0x18000, 'x'),
         {0, 0xFFFF, 0, ClearMode::None},
         "",
         false},
    };
    for (const SummaryCase& c : cases) {
        MemoryBuffer buffer;
        RecordingStatus status;
        LoadReport report;
        std::istringstream input(c.content);
        ASSERT_TRUE(LoadBufferStream(input, "f", c.format, c.options, buffer, status, nullptr, &report))
            << c.what;
        EXPECT_EQ(report.Summary(), c.summary) << c.what;
        EXPECT_EQ(report.DataDropped(), c.dataDropped) << c.what;
        if (c.summary.empty()) {
            EXPECT_NE(status.lines.back().kind, StatusKind::Warning) << c.what;
        } else {
            EXPECT_EQ(status.lines.back(), (testing::StatusLine{c.summary, StatusKind::Warning})) << c.what;
        }
    }
}

// Bytes counted as loaded are the ones that reached the buffer, an unimplemented cell included:
// a device's map is a choice, not a loss.
TEST(LoadSummary, CountsTheBytesThatReachedTheBuffer)
{
    MemoryBuffer buffer;
    buffer.SetUnimplemented(0x0101, true);
    RecordingStatus status;
    LoadReport report;
    std::istringstream input(Lines({FormatSLine("S1", 0xFFFE, Bytes{1, 2, 3})}));
    ASSERT_TRUE(LoadBufferStream(input, "f", FileFormat::MotorolaS, {}, buffer, status, nullptr, &report));
    EXPECT_EQ(report.bytesLoaded, 2);
    EXPECT_EQ(report.beyondBuffer.count, 1);

    std::istringstream again(Lines({FormatSLine("S1", 0x0100, Bytes{1, 2, 3})}));
    ASSERT_TRUE(LoadBufferStream(again, "f", FileFormat::MotorolaS, {}, buffer, status, nullptr, &report));
    EXPECT_EQ(report.bytesLoaded, 3) << "a second load starts its count afresh";
    EXPECT_FALSE(report.DataDropped());
}

} // namespace
} // namespace zav
