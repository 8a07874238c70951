#include <gtest/gtest.h>

#include <set>

#include "shell/menu_mnemonics.h"

namespace zav {
namespace {

using Captions = std::vector<std::string>;

TEST(MenuMnemonicsTest, WordStartsFirstThenAnyFreeLetter)
{
    EXPECT_EQ(WithMnemonics({"User Manual", "About ..."}), (Captions{"&User Manual", "&About ..."}));
    EXPECT_EQ(WithMnemonics({"Find", "Fill", "Search Again", "Swap", "Select All"}),
              (Captions{"&Find", "F&ill", "&Search Again", "S&wap", "Select &All"}));
    EXPECT_EQ(WithMnemonics({"Next Bookmark", "Previous Bookmark", "Next Difference"}),
              (Captions{"&Next Bookmark", "&Previous Bookmark", "Next &Difference"}));
    // Case does not make two letters.
    EXPECT_EQ(WithMnemonics({"copy", "Cut"}), (Captions{"&copy", "C&ut"}));
}

TEST(MenuMnemonicsTest, GivenLettersStayAndAreLeftToTheirItems)
{
    EXPECT_EQ(WithMnemonics({"Open", "Recent &Files", "&1 /tmp/a.bin", "File Info"}),
              (Captions{"&Open", "Recent &Files", "&1 /tmp/a.bin", "File &Info"}));
    // "&&" is a literal ampersand: such a caption is left alone and reserves nothing.
    EXPECT_EQ(WithMnemonics({"R&&D", "Run"}), (Captions{"R&&D", "&Run"}));
}

TEST(MenuMnemonicsTest, ACaptionWithoutAFreeLetterStaysAsItIs)
{
    EXPECT_EQ(WithMnemonics({"ab", "ba", "b", "...", ""}), (Captions{"&ab", "&ba", "b", "...", ""}));
}

// The longest menu of the program: every item gets a letter, no two the same.
TEST(MenuMnemonicsTest, EveryItemOfALongMenuGetsALetterOfItsOwn)
{
    const Captions edit{"Undo", "Redo", "Copy", "Paste", "Select All", "Find", "Search Again", "Replace ...",
                        "Go To Address", "Copy As ...", "Fill", "Swap", "Next Difference",
                        "Previous Difference", "Toggle Bookmark", "Next Bookmark", "Previous Bookmark"};
    const Captions marked = WithMnemonics(edit);
    std::set<char> letters;
    for (std::size_t index = 0; index < edit.size(); ++index) {
        const auto mark = marked[index].find('&');
        ASSERT_NE(mark, std::string::npos) << edit[index];
        std::string unmarked = marked[index];
        unmarked.erase(mark, 1);
        EXPECT_EQ(unmarked, edit[index]);
        EXPECT_TRUE(letters.insert(static_cast<char>(std::tolower(marked[index][mark + 1]))).second) << marked[index];
    }
}

} // namespace
} // namespace zav
