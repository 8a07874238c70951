#include "operations/replace_dialog.h"

#include <gtest/gtest.h>

#include "buffer/memory_buffer.h"
#include "operations/find_matches.h"
#include "support/recording_messages.h"

namespace zav {
namespace {

class ReplaceTest : public ::testing::Test {
protected:
    void Put(std::int32_t address, std::string_view bytes)
    {
        buffer.BeginUpdate();
        for (const char c : bytes) buffer.SetByte(address++, static_cast<std::uint8_t>(c));
        buffer.EndUpdate();
    }
    void Texts(const char* search, const char* replacement, SearchDataType type)
    {
        dialog.SearchText().SetText(search);
        dialog.ReplaceText().SetText(replacement);
        dialog.SetDataType(type);
    }

    MemoryBuffer buffer;
    testing::RecordingBoxes boxes;
    ReplaceDialog dialog;
};

TEST_F(ReplaceTest, MatchedCellsMarkEveryMatchInTheRangeAlsoOneStartingBeforeIt)
{
    Put(0x10, "abXab");
    const std::vector<std::uint8_t> pattern{'a', 'b'};
    const std::vector<bool> expected{true, false, true, true, false, false};
    EXPECT_EQ(MatchedCells(buffer, 0x11, 0x16, pattern, false), expected);
    const std::vector<std::uint8_t> folded{'x'};
    EXPECT_EQ(MatchedCells(buffer, 0x12, 0x12, folded, true), std::vector<bool>{true});
    EXPECT_EQ(MatchedCells(buffer, 0x12, 0x12, folded, false), std::vector<bool>{false});
}

TEST_F(ReplaceTest, ReplaceAllOverwritesEveryMatchAsOneUndoStepAndSaysHowMany)
{
    Put(0x10, "aXa-AXA-ax");
    Texts("ax", "QQ", SearchDataType::Text);
    EXPECT_EQ(dialog.ReplaceAll(buffer, boxes), 3);
    EXPECT_EQ(buffer.GetByte(0x10), 'Q');
    EXPECT_EQ(buffer.GetByte(0x12), 'a') << "matches never overlap";
    EXPECT_EQ(buffer.GetByte(0x15), 'Q');
    EXPECT_EQ(buffer.GetByte(0x19), 'Q');
    ASSERT_EQ(boxes.shown.size(), 1u);
    EXPECT_EQ(boxes.shown[0].text, "3 matches replaced");
    EXPECT_EQ(buffer.Undo().GroupCount(), 1);
    buffer.Undo().Undo();
    EXPECT_EQ(buffer.GetByte(0x15), 'X');
}

TEST_F(ReplaceTest, ReplaceAllLeavesMatchesInProtectedCellsAndCountsThem)
{
    Put(0x10, "\x12\x34\x12\x34\x12\x34");
    buffer.SetReadOnly(0x13, true);
    buffer.SetUnimplemented(0x14, true);
    Texts("1234", "abcd", SearchDataType::Hex);
    EXPECT_EQ(dialog.ReplaceAll(buffer, boxes), 1);
    EXPECT_EQ(buffer.GetByte(0x10), 0xAB);
    EXPECT_EQ(buffer.GetByte(0x12), 0x12);
    ASSERT_EQ(boxes.shown.size(), 1u);
    EXPECT_EQ(boxes.shown[0].text, "1 match replaced, 2 in read-only or unimplemented cells left");
}

TEST_F(ReplaceTest, TextsThatCannotBeReplacedShowTheirMessageAndWriteNothing)
{
    Put(0x10, "\x12\x34");
    const std::pair<const char*, const char*> cases[] = {{"1234", "ab"}, {"", ""}, {"123", "abc"}, {"1234", "zz00"}};
    for (const auto& [search, replacement] : cases) {
        boxes.shown.clear();
        Texts(search, replacement, SearchDataType::Hex);
        EXPECT_EQ(dialog.ReplaceAll(buffer, boxes), 0) << search;
        EXPECT_EQ(boxes.shown.size(), 1u) << search;
    }
    EXPECT_TRUE(buffer.Undo().IsEmpty());
}

TEST_F(ReplaceTest, ReplaceOverwritesTheMatchAtTheCursorThenFindsTheNext)
{
    Put(0x10, "ab--ab");
    Texts("ab", "CD", SearchDataType::Text);
    EXPECT_EQ(dialog.ReplaceOne(buffer, 0x00, boxes), (ReplaceStep{0x10, false})) << "finds first";
    EXPECT_EQ(buffer.GetByte(0x10), 'a');
    EXPECT_EQ(dialog.ReplaceOne(buffer, 0x10, boxes), (ReplaceStep{0x14, false}));
    EXPECT_EQ(buffer.GetByte(0x10), 'C');
    buffer.SetReadOnly(0x15, true);
    EXPECT_EQ(dialog.ReplaceOne(buffer, 0x14, boxes), (ReplaceStep{0x14, true}));
    EXPECT_EQ(buffer.GetByte(0x14), 'a');
    EXPECT_EQ(buffer.Undo().GroupCount(), 1);
    EXPECT_TRUE(boxes.shown.empty());
}

} // namespace
} // namespace zav
