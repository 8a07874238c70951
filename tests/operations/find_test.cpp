#include "operations/find_dialog.h"

#include <gtest/gtest.h>

#include "buffer/memory_buffer.h"
#include "operations/find_pattern.h"
#include "support/recording_messages.h"

namespace zav {
namespace {

using Bytes = std::vector<std::uint8_t>;

TEST(SearchPatternTest, HexPairsOfEitherCase)
{
    testing::RecordingBoxes boxes;
    EXPECT_EQ(ParseSearchPattern("0A0b", SearchDataType::Hex, boxes), (Bytes{0x0A, 0x0B}));
    EXPECT_EQ(ParseSearchPattern("", SearchDataType::Hex, boxes), Bytes{});
    EXPECT_TRUE(boxes.shown.empty());
}

TEST(SearchPatternTest, TextFoldsOnlyTheLettersAToZ)
{
    testing::RecordingBoxes boxes;
    EXPECT_EQ(ParseSearchPattern("aBc[@\xC9", SearchDataType::Text, boxes),
              (Bytes{'a', 'b', 'c', '[', '@', 0xC9}));
}

TEST(SearchPatternTest, EachRefusalHasItsMessage)
{
    struct Case {
        std::string text;
        SearchDataType type;
        const char* message;
    };
    const std::string tooLong(33, 'a');
    for (const Case& c :
         {Case{tooLong, SearchDataType::Text, "String Length must be up to 32 characters"},
          Case{tooLong + "a", SearchDataType::Hex, "String Length must be up to 32 characters"},
          Case{"ABC", SearchDataType::Hex, "Invalid Hexadecimal String, Must be an Even number of digits"},
          Case{"0x0A", SearchDataType::Hex, "To Enter Value do not use any prefix and letter"},
          Case{"12 3", SearchDataType::Hex, "To Enter Value do not use any prefix and letter"},
          Case{"1G", SearchDataType::Hex, "To Enter Value do not use any prefix and letter"}}) {
        testing::RecordingBoxes boxes;
        EXPECT_FALSE(ParseSearchPattern(c.text, c.type, boxes)) << c.text;
        EXPECT_EQ(boxes.Texts(), std::vector<std::string>{c.message}) << c.text;
    }
    testing::RecordingBoxes boxes;
    EXPECT_EQ(ParseSearchPattern(std::string(32, 'a'), SearchDataType::Text, boxes)->size(), 32u);
    EXPECT_EQ(ParseSearchPattern(std::string(32, 'f'), SearchDataType::Hex, boxes)->size(), 16u);
}

class FindPatternTest : public ::testing::Test {
protected:
    MemoryBuffer buffer;
};

TEST_F(FindPatternTest, SearchesInEitherDirectionAndStopsAtTheBufferEnds)
{
    buffer.SetByte(0x0100, 0x0A);
    buffer.SetByte(0x0101, 0x0B);
    buffer.SetByte(0x0300, 0x0A);
    buffer.SetByte(0x0301, 0x0B);
    const Bytes pattern{0x0A, 0x0B};
    EXPECT_EQ(FindPattern(buffer, 0, 1, pattern, false), 0x0100);
    EXPECT_EQ(FindPattern(buffer, 0x0101, 1, pattern, false), 0x0300);
    EXPECT_EQ(FindPattern(buffer, 0x0299, -1, pattern, false), 0x0100);
    EXPECT_FALSE(FindPattern(buffer, 0x00FF, -1, pattern, false));
    EXPECT_FALSE(FindPattern(buffer, 0x0301, 1, pattern, false));
    EXPECT_FALSE(FindPattern(buffer, -1, 1, pattern, false));
}

TEST_F(FindPatternTest, CellsBeyondTheEndReadAsZero)
{
    buffer.SetByte(0xFFFF, 0x77);
    EXPECT_EQ(FindPattern(buffer, 0xFF00, 1, Bytes{0x77, 0x00, 0x00}, false), 0xFFFF);
}

TEST_F(FindPatternTest, TextModeIgnoresTheCaseOfTheCells)
{
    buffer.SetByte(0x10, 'A');
    buffer.SetByte(0x11, 'B');
    buffer.SetByte(0x12, 'C');
    buffer.SetByte(0x20, 'a');
    buffer.SetByte(0x21, 'B');
    buffer.SetByte(0x22, 'c');
    const Bytes abc{'a', 'b', 'c'};
    EXPECT_EQ(FindPattern(buffer, 0, 1, abc, true), 0x10);
    EXPECT_EQ(FindPattern(buffer, 0x11, 1, abc, true), 0x20);
    EXPECT_FALSE(FindPattern(buffer, 0, 1, abc, false));
}

TEST_F(FindPatternTest, AnEmptyPatternMatchesAtTheStart)
{
    EXPECT_EQ(FindPattern(buffer, 0x1234, -1, Bytes{}, false), 0x1234);
    EXPECT_FALSE(FindPattern(buffer, 0x10000, 1, Bytes{}, false));
}

class FindDialogTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        for (const std::int32_t at : {0x0010, 0x0012, 0x0040}) {
            buffer.SetByte(at, 0xC3);
            buffer.SetByte(at + 1, 0xC3);
        }
    }

    MemoryBuffer buffer;
    testing::RecordingBoxes boxes;
};

TEST_F(FindDialogTest, StartsWithTheCursorByteAndSearchAgainStepsOverTheMatch)
{
    FindDialog dialog(buffer, 0x0010);
    EXPECT_EQ(dialog.SearchText().Text(), "C3");
    dialog.SearchText().SetText("c3c3");
    EXPECT_EQ(dialog.Ok(buffer, 0x0010, boxes), 0x0010); // a match at the cursor is found first
    EXPECT_EQ(dialog.LastMatchLength(), 2);
    EXPECT_EQ(dialog.Ok(buffer, 0x0010, boxes), 0x0012);
    EXPECT_EQ(dialog.Ok(buffer, 0x0012, boxes), 0x0040);
    EXPECT_FALSE(dialog.Ok(buffer, 0x0040, boxes));
    ASSERT_EQ(boxes.shown.size(), 1u);
    EXPECT_EQ(boxes.shown[0].text, "Search String not found");
    EXPECT_EQ(boxes.shown[0].kind, BoxKind::Confirmation);
    EXPECT_EQ(boxes.shown[0].buttons, BoxButtons::Ok);
    EXPECT_EQ(dialog.LastMatchLength(), 2);

    dialog.SetDirection(SearchDirection::Up);
    EXPECT_EQ(dialog.Ok(buffer, 0x0040, boxes), 0x0012);
    EXPECT_EQ(dialog.SearchText().History(), std::vector<std::string>{"c3c3"});
}

// Search Again goes on from the other end of the buffer, and only when asked to.
TEST_F(FindDialogTest, SearchAgainWrapsAroundTheBufferInEitherDirection)
{
    FindDialog dialog(buffer, 0x0040);
    dialog.SearchText().SetText("C3C3");
    EXPECT_EQ(dialog.Ok(buffer, 0x0040, boxes, true), 0x0040);
    EXPECT_FALSE(dialog.Wrapped());
    EXPECT_EQ(dialog.WrapNote(), "");
    EXPECT_EQ(dialog.Ok(buffer, 0x0040, boxes, true), 0x0010);
    EXPECT_TRUE(dialog.Wrapped());
    EXPECT_EQ(dialog.WrapNote(), "Search reached the end of the buffer and went on from the start");
    EXPECT_EQ(dialog.Ok(buffer, 0x0010, boxes, true), 0x0012);
    EXPECT_FALSE(dialog.Wrapped());

    dialog.SetDirection(SearchDirection::Up);
    EXPECT_EQ(dialog.Ok(buffer, 0x0012, boxes, true), 0x0010);
    EXPECT_EQ(dialog.Ok(buffer, 0x0010, boxes, true), 0x0040);
    EXPECT_EQ(dialog.WrapNote(), "Search reached the start of the buffer and went on from the end");
    EXPECT_TRUE(boxes.shown.empty());

    // Without wrapping the end of the buffer ends the search.
    dialog.SetDirection(SearchDirection::Down);
    EXPECT_FALSE(dialog.Ok(buffer, 0x0040, boxes));
    EXPECT_FALSE(dialog.Wrapped());
    // A pattern the buffer does not hold is still not found, once round.
    dialog.SearchText().SetText("C4");
    EXPECT_FALSE(dialog.Ok(buffer, 0x0040, boxes, true));
    EXPECT_FALSE(dialog.Wrapped());
    EXPECT_EQ(boxes.Texts(), (std::vector<std::string>{"Search String not found", "Search String not found"}));
}

TEST_F(FindDialogTest, SearchingUpFromZeroTestsOnlyAddressZero)
{
    FindDialog dialog(buffer, 0);
    dialog.SetDirection(SearchDirection::Up);
    dialog.SearchText().SetText("00");
    EXPECT_EQ(dialog.Ok(buffer, 0, boxes), 0);
    EXPECT_EQ(dialog.LastMatchLength(), 1);
    // Search Again steps to -1 and finds nothing.
    EXPECT_FALSE(dialog.Ok(buffer, 0, boxes));

    FindDialog fresh(buffer, 0);
    fresh.SetDirection(SearchDirection::Up);
    fresh.SearchText().SetText("C3");
    EXPECT_FALSE(fresh.Ok(buffer, 0, boxes));
}

TEST_F(FindDialogTest, AnEmptyHexTextMatchesAtTheCursor)
{
    FindDialog dialog(buffer, 0);
    dialog.SearchText().SetText("");
    EXPECT_EQ(dialog.Ok(buffer, 0x0500, boxes), 0x0500);
    EXPECT_EQ(dialog.LastMatchLength(), 0);
}

TEST_F(FindDialogTest, RefusedTextsAreNotRememberedAndDoNotSearch)
{
    FindDialog dialog(buffer, 0x0010);
    dialog.SearchText().SetText(std::string(33, '0'));
    EXPECT_FALSE(dialog.Ok(buffer, 0, boxes));
    dialog.SearchText().SetText("0x0A");
    EXPECT_FALSE(dialog.Ok(buffer, 0, boxes));
    EXPECT_TRUE(dialog.SearchText().History().empty());
    EXPECT_EQ(boxes.Texts(), (std::vector<std::string>{"String Length must be up to 32 characters",
                                                       "To Enter Value do not use any prefix and letter"}));
}

TEST_F(FindDialogTest, TextSearchFindsTheLettersInAnyCase)
{
    buffer.SetByte(0x0900, 'A');
    buffer.SetByte(0x0901, 'b');
    buffer.SetByte(0x0902, 'C');
    FindDialog dialog(buffer, 0);
    dialog.SetDataType(SearchDataType::Text);
    dialog.SearchText().SetText("aBc");
    EXPECT_EQ(dialog.Ok(buffer, 0, boxes), 0x0900);
}

} // namespace
} // namespace zav
