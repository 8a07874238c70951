#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>

#include "shell/settings_file.h"
#include "support/recording_messages.h"
#include "support/temp_folder.h"

namespace zav {
namespace {

class SettingsFileTest : public ::testing::Test {
protected:
    testing::TempFolder temp;
    // Not there yet: saving creates it.
    std::filesystem::path folder = temp / "zav";
    testing::RecordingBoxes boxes;
};

TEST_F(SettingsFileTest, AMissingFileKeepsDefaultsSilently)
{
    AppSettings settings;
    LoadSettingsFile(folder / kSettingsFileName, settings, boxes);
    EXPECT_EQ(settings, AppSettings{});
    EXPECT_TRUE(boxes.shown.empty());
}

TEST_F(SettingsFileTest, SavedSettingsComeBackAndTheFolderIsCreated)
{
    AppSettings settings;
    settings.program.lptPort = "LPT3";
    settings.program.RecentFiles = {"/tmp/a.s19"};
    const auto path = folder / "nested" / kSettingsFileName;
    ASSERT_TRUE(SaveSettingsFile(path, settings));
    EXPECT_FALSE(std::filesystem::exists(path.string() + ".new"));

    AppSettings loaded;
    LoadSettingsFile(path, loaded, boxes);
    EXPECT_EQ(loaded, settings);
}

TEST_F(SettingsFileTest, ABadIntegerIsShownAsAnErrorBox)
{
    std::filesystem::create_directories(folder);
    std::ofstream(folder / kSettingsFileName) << "LPT_DELAY=five\r\n";
    AppSettings settings;
    LoadSettingsFile(folder / kSettingsFileName, settings, boxes);
    EXPECT_EQ(boxes.Texts(), std::vector<std::string>{"'five' is not a valid integer value"});
}

TEST_F(SettingsFileTest, ASavedFileKeepsItsOtherHardLink)
{
    std::filesystem::create_directories(folder);
    const auto path = folder / kSettingsFileName;
    std::ofstream(path) << "LPT_DELAY=1\r\n";
    std::filesystem::create_hard_link(path, folder / "backup.ini");
    AppSettings settings;
    settings.program.lptDelay = 7;
    ASSERT_TRUE(SaveSettingsFile(path, settings));
    EXPECT_EQ(std::filesystem::hard_link_count(path), 2U);
    AppSettings reread;
    LoadSettingsFile(folder / "backup.ini", reread, boxes);
    EXPECT_EQ(reread.program.lptDelay, 7);
}

TEST_F(SettingsFileTest, AnUnwritablePlaceReportsFailureAndLeavesNoTemporary)
{
    std::filesystem::create_directories(folder);
    std::ofstream(folder / "plain") << "x";
    EXPECT_FALSE(SaveSettingsFile(folder / "plain" / kSettingsFileName, AppSettings{}));
}

} // namespace
} // namespace zav
