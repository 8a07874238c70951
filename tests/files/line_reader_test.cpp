#include <gtest/gtest.h>

#include <sstream>
#include <string>
#include <vector>

#include "files/line_reader.h"

namespace zav {
namespace {

std::vector<std::string> LinesOf(const std::string& text)
{
    std::istringstream input(text);
    LineReader reader(input);
    std::vector<std::string> lines;
    std::string line;
    while (reader.Next(line)) lines.push_back(line);
    EXPECT_FALSE(reader.ReadFailed());
    return lines;
}

using Lines = std::vector<std::string>;

TEST(LineReader, EveryLineEndStyleEndsALine)
{
    EXPECT_EQ(LinesOf("a\r\nb\r\n"), (Lines{"a", "b"}));
    EXPECT_EQ(LinesOf("a\nb\n"), (Lines{"a", "b"}));
    EXPECT_EQ(LinesOf("a\rb\r"), (Lines{"a", "b"}));
    EXPECT_EQ(LinesOf("a\rb\nc\r\nd"), (Lines{"a", "b", "c", "d"}));
    // CR CR LF: a lone CR, then a CR LF ending an empty line.
    EXPECT_EQ(LinesOf("a\r\r\nb"), (Lines{"a", "", "b"}));
    EXPECT_EQ(LinesOf("a\n\nb"), (Lines{"a", "", "b"}));
    EXPECT_EQ(LinesOf(""), Lines{});
}

TEST(LineReader, AZeroByteEndsTheFile)
{
    EXPECT_EQ(LinesOf(std::string("a\r\nb\0c\r\nd\r\n", 11)), (Lines{"a", "b"}));
    EXPECT_EQ(LinesOf(std::string("a\r\n\0b", 5)), (Lines{"a"}));
    EXPECT_EQ(LinesOf(std::string("\0a", 2)), Lines{});
}

TEST(LineReader, LeadingControlsAreDroppedButBlankLinesStayLines)
{
    EXPECT_EQ(LinesOf(" \t\x01 a b \r\n   \r\nc"), (Lines{"a b ", "", "c"}));
}

TEST(LineReader, LineEndsSplitAcrossChunksCountOnce)
{
    // A CR as the last byte of one 64 KiB chunk and its LF as the first of the next.
    const std::string first(64 * 1024 - 1, 'A');
    EXPECT_EQ(LinesOf(first + "\r\nB\r\n"), (Lines{first, "B"}));
    // Leading blanks that fill a whole chunk.
    EXPECT_EQ(LinesOf(std::string(70000, ' ') + "C\r\n"), (Lines{"C"}));
}

TEST(LineReader, OverlongLinesAreCutNotKept)
{
    const std::string longLine(LineReader::kMaxKeptLength + 100000, '7');
    const Lines lines = LinesOf(longLine + "\nnext");
    ASSERT_EQ(lines.size(), 2U);
    EXPECT_EQ(lines[0].size(), LineReader::kMaxKeptLength);
    EXPECT_EQ(lines[1], "next");
}

} // namespace
} // namespace zav
