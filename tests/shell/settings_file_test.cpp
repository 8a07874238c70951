#include <gtest/gtest.h>

#include <sys/stat.h>

#include <filesystem>
#include <fstream>
#include <functional>
#include <iterator>
#include <string>
#include <vector>

#include "shell/settings_file.h"
#include "support/scoped_environment.h"
#include "support/temp_folder.h"

namespace zav {
namespace {

class SettingsFileTest : public ::testing::Test {
protected:
    testing::TempFolder temp;
    // Not there yet: saving creates it.
    std::filesystem::path folder = temp / "zav";
    std::string failure;
};

TEST_F(SettingsFileTest, AMissingFileKeepsDefaultsSilently)
{
    AppSettings settings;
    const SettingsFileReport report = ReadSettingsFile(folder / kSettingsFileName, settings);
    EXPECT_EQ(settings, AppSettings{});
    EXPECT_TRUE(report.warnings.empty());
    EXPECT_FALSE(report.error);
}

TEST_F(SettingsFileTest, SavedSettingsComeBackAndTheFolderIsCreated)
{
    AppSettings settings;
    settings.program.lptPort = "LPT3";
    settings.program.RecentFiles = {"/tmp/a.s19"};
    const auto path = folder / "nested" / kSettingsFileName;
    ASSERT_TRUE(SaveSettingsFile(path, settings, failure));
    EXPECT_FALSE(std::filesystem::exists(path.string() + ".new"));

    AppSettings loaded;
    (void)ReadSettingsFile(path, loaded);
    EXPECT_EQ(loaded, settings);
}

TEST_F(SettingsFileTest, ABadIntegerIsReportedWithItsKey)
{
    std::filesystem::create_directories(folder);
    std::ofstream(folder / kSettingsFileName) << "LPT_DELAY=five\r\n";
    AppSettings settings;
    const SettingsFileReport report = ReadSettingsFile(folder / kSettingsFileName, settings);
    EXPECT_EQ(report.error, "'five' is not a valid integer value");
    EXPECT_EQ(report.errorKey, "LPT_DELAY");
}

// Every number out of range is one warning naming the file, key, value and the value used.
TEST_F(SettingsFileTest, NumbersOutOfRangeAreWarnedAboutWithTheValueUsed)
{
    std::filesystem::create_directories(folder);
    const auto path = folder / kSettingsFileName;
    std::ofstream(path) << "P_WIN_POS_HEIGHT=-5\r\nLPT_DELAY=2147483647\r\n";
    AppSettings settings;
    const SettingsFileReport report = ReadSettingsFile(path, settings);
    EXPECT_EQ(report.warnings, (std::vector<std::string>{
                                   path.string() + ": P_WIN_POS_HEIGHT=-5 is out of range (0 to 32767); 0 is "
                                                   "used instead.",
                                   path.string() + ": LPT_DELAY=2147483647 is out of range (0 to 50); 50 is "
                                                   "used instead."}));
    EXPECT_EQ(settings.program.lptDelay, 50);
}

// What the reading would otherwise pass over is one warning each, naming the file and the
// line, with the file's control characters shown escaped; the values are read as before.
TEST_F(SettingsFileTest, BinaryDataRepeatedKeysAndPortsOfTheWrongKindAreWarnedAbout)
{
    using namespace std::string_literals;
    struct Case {
        std::string text;
        std::vector<std::string> warnings;
    };
    const std::vector<Case> cases = {
        {"LPT_PORT=LPT2\r\nCOM_PORT=COM3\r\nLPT_DELAY=7\r\n", {}},
        {"LPT_DELAY=7\r\nP_WIN_\x00\x01\xFF=3\r\n\x7F\x02\r\n"s,
         {"2 lines hold binary data, the first line 2 (P_WIN_\\x00\\x01\xFF=3); such lines are read as they "
          "stand."}},
        {"LPT_PORT=LPT2\r\nCOM_PORT=COM2\r\nlpt_port=LPT3\r\nLPT_PORT=LPT1\r\n",
         {"line 3: lpt_port is given again; this line is read, not line 1.",
          "line 4: LPT_PORT is given again; this line is read, not line 3."}},
        {"A=1\nA=2\nA=3\nA=4\nA=5\nA=6\nA=7\nA=8\n",
         {"line 2: A is given again; this line is read, not line 1.",
          "line 3: A is given again; this line is read, not line 2.",
          "line 4: A is given again; this line is read, not line 3.",
          "line 5: A is given again; this line is read, not line 4.",
          "line 6: A is given again; this line is read, not line 5.", "2 more lines give a key again."}},
        {"COM_PORT=LPT1\r\nLPT_PORT=COM2\r\n",
         {"LPT_PORT=COM2 is not one of LPT1 to LPT3; a run on that port will not open it.",
          "COM_PORT=LPT1 is not one of COM1 to COM8; a run on that port will not open it."}},
        {"LPT_PORT= LPT2\r\nCOM_PORT=COM9\x1B\r\n",
         {"line 2 holds binary data (COM_PORT=COM9\\x1B); such lines are read as they stand.",
          "LPT_PORT= LPT2 is not one of LPT1 to LPT3; a run on that port will not open it.",
          "COM_PORT=COM9\\x1B is not one of COM1 to COM8; a run on that port will not open it."}},
    };
    std::filesystem::create_directories(folder);
    const auto path = folder / kSettingsFileName;
    for (const Case& c : cases) {
        SCOPED_TRACE(c.text);
        std::ofstream(path, std::ios::binary | std::ios::trunc) << c.text;
        AppSettings settings;
        const SettingsFileReport report = ReadSettingsFile(path, settings);
        std::vector<std::string> expected;
        for (const std::string& warning : c.warnings) expected.push_back(path.string() + ": " + warning);
        EXPECT_EQ(report.warnings, expected);
        EXPECT_FALSE(report.error);
    }
}

// Only a regular file of at most 1 MiB is read; anything else is one warning and the
// defaults, and nothing blocks, aborts or fills the memory.
TEST_F(SettingsFileTest, ANameThatIsNoSmallRegularFileIsNotRead)
{
    std::filesystem::create_directories(folder);
    const auto path = folder / kSettingsFileName;
    struct Case {
        const char* what;
        std::function<void()> make;
        std::string why;
    };
    const std::vector<Case> cases = {
        {"folder", [&] { std::filesystem::create_directory(path); }, "it is a folder"},
        {"endless device", [&] { std::filesystem::create_symlink("/dev/zero", path); },
         "it is not a regular file"},
        {"pipe", [&] { ASSERT_EQ(::mkfifo(path.c_str(), 0600), 0); }, "it is not a regular file"},
        {"large file",
         [&] { testing::WriteFileBytes(path, "LPT_PORT=LPT2\r\n" + std::string(1024 * 1024, '#')); },
         "it is larger than 1 MiB"},
    };
    for (const Case& c : cases) {
        std::filesystem::remove_all(path);
        c.make();
        AppSettings settings;
        const SettingsFileReport report = ReadSettingsFile(path, settings);
        EXPECT_EQ(report.warnings, std::vector<std::string>{path.string() + " is not read: " + c.why +
                                                            "; the defaults are used."})
            << c.what;
        EXPECT_EQ(settings, AppSettings{}) << c.what;
        EXPECT_FALSE(report.error) << c.what;
    }
}

// Written over in place to keep the other name, the file's old content is kept in the
// backups folder first.
TEST_F(SettingsFileTest, ASavedFileKeepsItsOtherHardLink)
{
    const testing::ScopedEnvironment data("XDG_DATA_HOME", (temp / "share").string());
    std::filesystem::create_directories(folder);
    const auto path = folder / kSettingsFileName;
    std::ofstream(path) << "LPT_DELAY=1\r\n";
    std::filesystem::create_hard_link(path, folder / "backup.ini");
    AppSettings settings;
    settings.program.lptDelay = 7;
    ASSERT_TRUE(SaveSettingsFile(path, settings, failure));
    EXPECT_EQ(std::filesystem::hard_link_count(path), 2U);
    AppSettings reread;
    (void)ReadSettingsFile(folder / "backup.ini", reread);
    EXPECT_EQ(reread.program.lptDelay, 7);
    const auto copies = std::filesystem::directory_iterator(temp / "share/zav/backups");
    ASSERT_NE(copies, std::filesystem::directory_iterator());
    std::ifstream copy(copies->path());
    EXPECT_EQ(std::string(std::istreambuf_iterator<char>(copy), {}), "LPT_DELAY=1\r\n");
}

TEST_F(SettingsFileTest, AnUnwritablePlaceReportsTheSystemsReason)
{
    std::filesystem::create_directories(folder);
    std::ofstream(folder / "plain") << "x";
    EXPECT_FALSE(SaveSettingsFile(folder / "plain" / kSettingsFileName, AppSettings{}, failure));
    EXPECT_EQ(failure, "Not a directory");
}

} // namespace
} // namespace zav
