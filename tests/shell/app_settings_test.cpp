#include <gtest/gtest.h>

#include <functional>

#include "buffer/numeric_helpers.h"
#include "shell/app_settings.h"

namespace zav {
namespace {

AppSettings Read(const std::string& text, std::optional<std::string>* error = nullptr)
{
    AppSettings settings;
    auto result = ApplySettingsText(text, settings);
    if (error) *error = result;
    return settings;
}

TEST(SettingsText, ALoneKeyChangesOnlyItsValue)
{
    EXPECT_EQ(Read("LPT_PORT=LPT2\r\n").program.lptPort, "LPT2");
    AppSettings expected;
    expected.program.lptPort = "LPT2";
    EXPECT_EQ(Read("LPT_PORT=LPT2"), expected);
    EXPECT_EQ(Read(""), AppSettings{});
}

TEST(SettingsText, KeysMatchWithoutCaseLastLineWinsBlanksAreKept)
{
    EXPECT_EQ(Read("lpt_port=LPT3\r\nLPT_PORT=LPT2\r\n").program.lptPort, "LPT2");
    EXPECT_EQ(Read("LPT_DELAY=fast\r\nLPT_DELAY=7\r\n").program.lptDelay, 7);
    EXPECT_EQ(Read("COM_PORT=A=B\r\n").program.comPort, "A=B");
    EXPECT_EQ(Read("LPT_PORT =LPT2\r\n").program.lptPort, "LPT1");
    EXPECT_EQ(Read("LPT_PORT= LPT2\r\n").program.lptPort, " LPT2");
    EXPECT_EQ(Read("LPT_PORT=\r\nLPT_DELAY=7\r\n").program.lptPort, "LPT1");
    EXPECT_EQ(Read("garbage line\nLPT_DELAY=7\rCOM_PORT=COM2").program.comPort, "COM2");
}

TEST(SettingsText, VisibilityAndColoursReadAsTheirNumbers)
{
    EXPECT_TRUE(Read("H_WIN_VISIBLE=5").layout.editorVisible);
    EXPECT_FALSE(Read("H_WIN_VISIBLE=0").layout.editorVisible);
    EXPECT_EQ(Read("HE_EDIT_COLOR=3").editor.colours.edited, 0x0000FFu);
    EXPECT_EQ(Read("HE_EDIT_COLOR=58").editor.colours.edited, 0xFFAAAAu);
    EXPECT_EQ(Read("HE_BG_COLOR=64").editor.colours.background, 0x000000u);
    EXPECT_EQ(Read("HE_BG_COLOR=255").editor.colours.background, 0xFFFFFFu);
    EXPECT_EQ(Read("LPT_READY_PIN=258").program.lptReadyPin, 2);
}

TEST(SettingsText, ABadIntegerStopsReadingAndKeepsWhatCameBefore)
{
    std::optional<std::string> error;
    const AppSettings settings = Read("P_WIN_POS_LEFT=10\r\nHE_LWIN_FONT=Mono\r\nH_WIN_VISIBLE=1\r\n"
                                      "HE_EDIT_COLOR=58\r\nLPT_DELAY=x1\r\nCOM_PORT=COM4\r\nLOF0=/a.zef",
                                      &error);
    ASSERT_TRUE(error);
    EXPECT_EQ(*error, "'x1' is not a valid integer value");
    EXPECT_EQ(settings.mainWindow.left, 10);
    EXPECT_TRUE(settings.layout.editorVisible);          // its step was reached
    EXPECT_EQ(settings.editor.leftFont, "Mono");         // fonts apply at once
    EXPECT_EQ(settings.editor.colours, EditorColours{}); // colours apply after LPT_READY_PIN
    EXPECT_EQ(settings.program.comPort, "COM4");         // COM_PORT comes before LPT_DELAY
    EXPECT_TRUE(settings.program.RecentFiles.empty());

    const AppSettings early = Read("H_WIN_POS_TOP=7\r\nE_WIN_POS_LEFT=bad\r\n", &error);
    ASSERT_TRUE(error);
    EXPECT_EQ(early.layout, WindowLayout{});
}

// Stored geometry and the delay take the nearest limit when out of range, and say so;
// values within the limits pass unnoted.
TEST(SettingsText, NumbersOutOfRangeTakeTheNearestLimit)
{
    struct Case {
        const char* line;
        const char* key;
        int used;
        std::function<int(const AppSettings&)> field;
    };
    const std::vector<Case> cases = {
        {"LPT_DELAY=51", "LPT_DELAY", 50, [](const AppSettings& s) { return s.program.lptDelay; }},
        {"LPT_DELAY=-1", "LPT_DELAY", 0, [](const AppSettings& s) { return s.program.lptDelay; }},
        {"P_WIN_POS_LEFT=-2215000", "P_WIN_POS_LEFT", -32768,
         [](const AppSettings& s) { return s.mainWindow.left; }},
        {"P_WIN_POS_TOP=40000", "P_WIN_POS_TOP", 32767,
         [](const AppSettings& s) { return s.mainWindow.top; }},
        {"H_WIN_POS_WIDTH=-1", "H_WIN_POS_WIDTH", 0,
         [](const AppSettings& s) { return s.layout.editor.width; }},
        {"E_WIN_POS_HEIGHT=2147483647", "E_WIN_POS_HEIGHT", 32767,
         [](const AppSettings& s) { return s.layout.description.height; }},
        {"H_SPLIT_POS_LEFT=-365", "H_SPLIT_POS_LEFT", 0,
         [](const AppSettings& s) { return s.layout.editorPaneWidth; }},
    };
    for (const Case& c : cases) {
        AppSettings settings;
        std::vector<SettingOutOfRange> noted;
        EXPECT_FALSE(ApplySettingsText(c.line, settings, nullptr, &noted)) << c.line;
        EXPECT_EQ(c.field(settings), c.used) << c.line;
        ASSERT_EQ(noted.size(), 1U) << c.line;
        EXPECT_EQ(noted[0].key, c.key);
        EXPECT_EQ(noted[0].value, std::string(c.line).substr(std::string(c.key).size() + 1));
        EXPECT_EQ(noted[0].used, c.used);
    }

    AppSettings settings;
    std::vector<SettingOutOfRange> noted;
    (void)ApplySettingsText("LPT_DELAY=50\r\nP_WIN_POS_LEFT=-32768\r\nH_WIN_POS_HEIGHT=32767", settings,
                            nullptr, &noted);
    EXPECT_TRUE(noted.empty());
    EXPECT_EQ(settings.program.lptDelay, 50);
}

TEST(SettingsText, RecentFilesCloseGapsOnReadAndKeepFiveOnWrite)
{
    EXPECT_EQ(Read("LOF0=/a\r\nLOF3=/d\r\n").program.RecentFiles, (std::vector<std::string>{"/a", "/d"}));

    AppSettings settings;
    for (int i = 0; i < 7; ++i) settings.program.RecentFiles.push_back("/f" + std::to_string(i));
    const std::string text = FormatSettingsText(settings);
    EXPECT_NE(text.find("LOF4=/f4\r\n"), std::string::npos);
    EXPECT_EQ(text.find("LOF5"), std::string::npos);

    settings.program.RecentFiles = {"/a", "", "/c"};
    const std::string gapped = FormatSettingsText(settings);
    EXPECT_NE(gapped.find("LOF0=/a\r\nLOF2=/c\r\n"), std::string::npos);
}

TEST(SettingsText, DefaultsWriteEveryKeyInOrderAndReadBackEqual)
{
    const std::string text = FormatSettingsText(AppSettings{});
    EXPECT_EQ(text,
              "P_WIN_POS_LEFT=6\r\nP_WIN_POS_TOP=49\r\nP_WIN_POS_HEIGHT=263\r\nP_WIN_POS_WIDTH=552\r\n"
              "H_WIN_POS_LEFT=32\r\nH_WIN_POS_TOP=43\r\nH_WIN_POS_HEIGHT=268\r\nH_WIN_POS_WIDTH=545\r\n"
              "H_WIN_VISIBLE=0\r\nH_SPLIT_POS_LEFT=365\r\n"
              "E_WIN_POS_LEFT=69\r\nE_WIN_POS_TOP=71\r\nE_WIN_POS_HEIGHT=283\r\nE_WIN_POS_WIDTH=370\r\n"
              "E_WIN_VISIBLE=0\r\nHE_LWIN_FONT=System\r\nHE_RWIN_FONT=Terminal\r\n"
              "HE_BG_COLOR=63\r\nHE_FIX_COLOR=21\r\nHE_NOFIX_COLOR=48\r\nHE_EDIT_COLOR=3\r\n"
              "HE_UIN_COLOR=58\r\nLPT_PORT=LPT1\r\nCOM_PORT=COM1\r\nLPT_DELAY=5\r\nLPT_READY_PIN=15\r\n");

    AppSettings changed;
    changed.mainWindow.left = -20;
    changed.layout.descriptionVisible = true;
    changed.editor.rightFont = "Courier New";
    changed.editor.colours.edited = ColourFromIndex(12);
    changed.program = {"LPT2", "COM8", 50, 200, {"/x/y.zef"}};
    EXPECT_EQ(Read(FormatSettingsText(changed)), changed);
}

TEST(SettingsText, EmptyTextValuesAreNotWritten)
{
    AppSettings settings;
    settings.program.comPort.clear();
    EXPECT_EQ(FormatSettingsText(settings).find("COM_PORT"), std::string::npos);
}

TEST(RecentFiles, AnOpenedPathMovesToTheFront)
{
    ProgramSettings settings;
    settings.RecentFiles = {"/a", "/b", "/c"};
    AddRecentFile(settings, "/c");
    AddRecentFile(settings, "/n");
    EXPECT_EQ(settings.RecentFiles, (std::vector<std::string>{"/n", "/c", "/a", "/b"}));
}

} // namespace
} // namespace zav

namespace zav {
namespace {

TEST(SettingsText, TheBackupIsOnUnlessTheFileTurnsItOff)
{
    AppSettings off;
    off.program.backupBeforeWrite = false;
    const std::string text = FormatSettingsText(off);
    EXPECT_NE(text.find("BACKUP_BEFORE_WRITE=0\r\n"), std::string::npos);
    AppSettings read;
    EXPECT_EQ(ApplySettingsText(text, read), std::nullopt);
    EXPECT_FALSE(read.program.backupBeforeWrite);
    AppSettings fresh;
    EXPECT_EQ(ApplySettingsText("LPT_DELAY=7\r\n", fresh), std::nullopt);
    EXPECT_TRUE(fresh.program.backupBeforeWrite);
}

} // namespace
} // namespace zav
