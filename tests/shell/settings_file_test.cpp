#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>

#include "shell/settings_file.h"
#include "support/recording_messages.h"

namespace zav {
namespace {

class SettingsFileTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        folder = std::filesystem::temp_directory_path() /
                 ("zav_settings_" + std::to_string(::testing::UnitTest::GetInstance()->random_seed()) + "_" +
                  ::testing::UnitTest::GetInstance()->current_test_info()->name());
        std::filesystem::remove_all(folder);
    }
    void TearDown() override { std::filesystem::remove_all(folder); }

    std::filesystem::path folder;
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
