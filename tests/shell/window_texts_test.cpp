#include <gtest/gtest.h>

#include "support/temp_folder.h"
#include "shell/about_texts.h"
#include "shell/status_line.h"
#include "shell/user_manual.h"

namespace zav {
namespace {

TEST(StatusLine, TagsColourAndLeadingBlank)
{
    EXPECT_EQ(MakeStatusLine("done", StatusKind::Normal), "0done");
    EXPECT_EQ(MakeStatusLine("odd", StatusKind::Warning), "1odd");
    EXPECT_EQ(MakeStatusLine("bad", StatusKind::Error), "2bad");
    EXPECT_EQ(MakeStatusLine("x", static_cast<StatusKind>(7)), "0x");

    EXPECT_EQ(StatusLineColour("0a"), 0x000000u);
    EXPECT_EQ(StatusLineColour("1a"), 0x800080u);
    EXPECT_EQ(StatusLineColour("2a"), 0x0000FFu) << "red in 0x00BBGGRR";
    EXPECT_EQ(StatusLineColour("9a"), 0x000000u);
    EXPECT_EQ(StatusLineColour(""), 0x000000u);

    EXPECT_EQ(StatusLineDisplayText("2Programmer Not Ready."), " Programmer Not Ready.");
    EXPECT_EQ(StatusLineDisplayText("0"), " ");
    EXPECT_EQ(StatusLineDisplayText(""), " ");
}

TEST(UserManual, TheFirstFolderHoldingTheManualWins)
{
    testing::TempFolder first;
    testing::TempFolder second;
    EXPECT_FALSE(FindUserManual({first.Path(), second.Path()}));
    testing::WriteFileBytes(second / "ridirirodo.pdf", "%PDF");
    EXPECT_EQ(FindUserManual({first.Path(), second.Path()}), second / "ridirirodo.pdf");
    testing::WriteFileBytes(first / "ridirirodo.pdf", "%PDF");
    EXPECT_EQ(FindUserManual({first.Path(), second.Path()}), first / "ridirirodo.pdf");
    // A folder of that name is no manual.
    testing::TempFolder third;
    std::filesystem::create_directory(third / "ridirirodo.pdf");
    EXPECT_FALSE(FindUserManual({third.Path()}));
}

TEST(UserManual, MissingTextNamesEveryFolderLookedIn)
{
    EXPECT_EQ(UserManualMissingText({"/usr/bin", "/usr/share/doc/zav", "/home/me"}),
              "The user manual ridirirodo.pdf was not found. Looked in:\n/usr/bin\n/usr/share/doc/zav\n/home/me");
    EXPECT_EQ(UserManualMissingText({}), "The user manual ridirirodo.pdf was not found. Looked in:\n(no folder)");
}

TEST(AboutTexts, BoardListStartsWithTheBoardVersion)
{
    const auto lines = AboutTexts::BoardLines();
    ASSERT_EQ(lines.size(), 8u);
    EXPECT_EQ(lines.front(), "Vesion 1.0");
    EXPECT_EQ(lines[1], "MC68HC705B16");
    EXPECT_EQ(lines.back(), "TMS375C006");
}

} // namespace
} // namespace zav
