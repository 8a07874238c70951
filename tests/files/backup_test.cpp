#include <gtest/gtest.h>

#include <cstdlib>
#include <fstream>
#include <memory>
#include <set>
#include <thread>
#include <vector>

#include <pwd.h>
#include <unistd.h>

#include "files/backup_folder.h"
#include "files/buffer_file_loader.h"
#include "sequences/sequence_harness.h"
#include "sequences/sequence_plan.h"
#include "support/recording_messages.h"
#include "support/temp_folder.h"

namespace zav::testing {
namespace {

// 2026-12-07 10:11:12 in the local time zone.
std::chrono::system_clock::time_point FixedTime()
{
    std::tm when{};
    when.tm_year = 126;
    when.tm_mon = 11;
    when.tm_mday = 7;
    when.tm_hour = 10;
    when.tm_min = 11;
    when.tm_sec = 12;
    when.tm_isdst = -1;
    return std::chrono::system_clock::from_time_t(std::mktime(&when));
}

std::vector<std::filesystem::path> FilesIn(const std::filesystem::path& folder)
{
    std::vector<std::filesystem::path> files;
    for (const auto& entry : std::filesystem::directory_iterator(folder)) files.push_back(entry.path());
    std::sort(files.begin(), files.end());
    return files;
}

// The sequence harness with backups into a temporary folder.
struct BackupHarness {
    explicit BackupHarness(const std::string& device) : harness(device)
    {
        harness.program.SetBackupStore(std::make_shared<BackupFolder>(folder.Path() / "backups", FixedTime));
    }
    TempFolder folder;
    SequenceHarness harness;
};

TEST(Backup, TakenBeforeAnEraseHoldsThePartAsItWasByteForByte)
{
    for (const char* device : {"MC68HC11E9", "MC68HC05L28", "TMS370Cx5x (512)"}) {
        SCOPED_TRACE(device);
        BackupHarness run(device);
        const std::optional<SequencePlan> plan = FindSequencePlan(device);
        run.harness.Down({SequenceOption::Erase});
        run.harness.host.answers = {BoxAnswer::Yes};
        run.harness.RunProgram();

        const auto files = FilesIn(run.folder.Path() / "backups");
        ASSERT_EQ(files.size(), 1U);
        const std::string name = files[0].filename().string();
        EXPECT_EQ(name, BackupFileName(device, [] {
                      const std::time_t t = std::chrono::system_clock::to_time_t(FixedTime());
                      std::tm local{};
                      localtime_r(&t, &local);
                      return local;
                  }()));
        EXPECT_EQ(run.harness.host.lines.at(1), (StatusLine{"Backup saved to " + files[0].string(), StatusKind::Normal}));
        EXPECT_EQ(run.harness.host.lines.back().text, "Program Sequence completed successful");

        MemoryBuffer restored;
        RecordingStatus status;
        RecordingBoxes boxes;
        ASSERT_TRUE(LoadBufferFile(files[0], FileFormat::ExtendedFormat, {}, restored, status, boxes));
        for (std::int32_t a = plan->eeprom.first; a <= plan->eeprom.last; ++a) {
            ASSERT_EQ(restored.GetByte(a), TargetPattern(a)) << a;
            // The erase did go ahead after the backup.
            ASSERT_EQ(run.harness.Target(a), 0xFF) << a;
        }
        if (plan->configRegister) {
            EXPECT_EQ(restored.GetByte(*plan->configRegister), TargetPattern(*plan->configRegister));
        }
        EXPECT_EQ(restored.GetByte(plan->eeprom.first - 1), 0);
    }
}

TEST(Backup, AFailedBackupStopsTheSequenceBeforeAnyWrite)
{
    BackupHarness run("MC68HC05B6");
    // A file where the folder should be.
    std::ofstream(run.folder.Path() / "backups") << "in the way";
    run.harness.FillBuffer();
    run.harness.Down({SequenceOption::Erase, SequenceOption::Program, SequenceOption::Verify});
    run.harness.RunProgram();

    const std::vector<StatusLine>& lines = run.harness.host.lines;
    ASSERT_EQ(lines.size(), 2U);
    EXPECT_EQ(lines[1].kind, StatusKind::Error);
    EXPECT_EQ(lines[1].text.rfind("Backup not saved, nothing was written to the device: ", 0), 0U) << lines[1].text;
    EXPECT_NE(run.harness.program.Result(), 0);
    for (std::int32_t a = 0x0100; a <= 0x01FF; ++a) ASSERT_EQ(run.harness.Target(a), TargetPattern(a));
}

TEST(Backup, OnlyAChangingSequenceTakesOne)
{
    BackupHarness run("MC68HC05B6");
    run.harness.Down({SequenceOption::Verify});
    run.harness.RunProgram();
    EXPECT_FALSE(std::filesystem::exists(run.folder.Path() / "backups"));
}

TEST(Backup, SameSecondBackupsKeepEachOtherAndOnlyTheNewestTwoHundredOfADeviceStay)
{
    TempFolder folder;
    BackupFolder backups(folder.Path(), FixedTime);
    const BackupImage image{"TMS370Cx5x (256)", {{0x1F00, 0x12}}};
    const BackupStore::Outcome first = backups.Save(image);
    const BackupStore::Outcome second = backups.Save(image);
    ASSERT_TRUE(first.saved && second.saved) << first.failure << second.failure;
    EXPECT_EQ(std::filesystem::path(first.path).filename().string().rfind("TMS370Cx5x_256-20261207-101112", 0), 0U);
    EXPECT_EQ(second.path.substr(second.path.size() - 6), "-2.zef");

    // 205 backups of this device from days before, and one of another.
    for (int day = 1; day <= 205; ++day) {
        char name[64];
        std::snprintf(name, sizeof name, "TMS370Cx5x_256-2025%04d-000000.zef", day);
        std::ofstream(folder / name) << "old";
    }
    std::ofstream(folder / "MC68HC05B6-20200101-000000.zef") << "other";
    EXPECT_EQ(PruneBackups(folder.Path(), "TMS370Cx5x (256)", kBackupsKept), 7);
    EXPECT_FALSE(std::filesystem::exists(folder / "TMS370Cx5x_256-20250007-000000.zef"));
    EXPECT_TRUE(std::filesystem::exists(folder / "TMS370Cx5x_256-20250008-000000.zef"));
    EXPECT_TRUE(std::filesystem::exists(first.path));
    EXPECT_TRUE(std::filesystem::exists(folder / "MC68HC05B6-20200101-000000.zef"));
}

// Ten or more backups in one second: the counter orders them as a number, and a backup of a
// later second is newer than any counter of an earlier one.
TEST(Backup, PruningKeepsTheNewestByTimeThenCounter)
{
    TempFolder folder;
    const std::string early = "MC68HC05B6-20261207-101111";
    const std::string late = "MC68HC05B6-20261207-101112";
    std::vector<std::string> names{early + "-12.zef", late + ".zef"};
    for (int counter = 2; counter <= 12; ++counter)
        names.push_back(late + "-" + std::to_string(counter) + ".zef");
    for (const std::string& name : names) std::ofstream(folder / name) << "x";

    EXPECT_EQ(PruneBackups(folder.Path(), "MC68HC05B6", 4), 9);
    std::vector<std::filesystem::path> expected;
    for (const char* counter : {"-10", "-11", "-12", "-9"})
        expected.push_back(folder / (late + counter + ".zef"));
    EXPECT_EQ(FilesIn(folder.Path()), expected);
}

// Sets environment variables for one scope and puts the old values back.
class ScopedEnvironment {
public:
    void Set(const char* name, const char* value)
    {
        const char* old = std::getenv(name);
        saved_.push_back({name, old != nullptr, old != nullptr ? old : ""});
        if (value != nullptr) {
            setenv(name, value, 1);
        } else {
            unsetenv(name);
        }
    }
    ~ScopedEnvironment()
    {
        for (auto it = saved_.rbegin(); it != saved_.rend(); ++it) {
            if (it->present) {
                setenv(it->name.c_str(), it->value.c_str(), 1);
            } else {
                unsetenv(it->name.c_str());
            }
        }
    }

private:
    struct Saved {
        std::string name;
        bool present;
        std::string value;
    };
    std::vector<Saved> saved_;
};

// Only an absolute XDG_DATA_HOME counts; otherwise the backups go below the home folder,
// never below the working folder.
TEST(Backup, TheDefaultFolderFollowsTheXdgRules)
{
    const passwd* user = getpwuid(getuid());
    ASSERT_NE(user, nullptr);
    const std::filesystem::path account = user->pw_dir;
    struct Case {
        const char* home;
        const char* dataHome;
        std::filesystem::path expected;
    };
    const Case cases[] = {
        {"/home/bench", "/srv/data", "/srv/data/zav/backups"},
        {"/home/bench", nullptr, "/home/bench/.local/share/zav/backups"},
        {"/home/bench", "", "/home/bench/.local/share/zav/backups"},
        {"/home/bench", "data", "/home/bench/.local/share/zav/backups"},
        {nullptr, "data", account / ".local/share/zav/backups"},
        {"relative/home", nullptr, account / ".local/share/zav/backups"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(std::string(c.home ? c.home : "(unset)") + " " + (c.dataHome ? c.dataHome : "(unset)"));
        ScopedEnvironment environment;
        environment.Set("HOME", c.home);
        environment.Set("XDG_DATA_HOME", c.dataHome);
        EXPECT_EQ(DefaultBackupFolder(), c.expected);
    }
}

// Boards of one run and runs on other benches save into one folder at the same time: each
// backup still gets a file of its own.
TEST(Backup, BackupsSavedAtOnceIntoOneFolderKeepEachOther)
{
    TempFolder folder;
    constexpr int kSavers = 6;
    std::vector<BackupStore::Outcome> outcomes(kSavers);
    std::vector<std::thread> savers;
    // mktime rereads the time zone at every call: once here, not on six threads at once.
    const std::chrono::system_clock::time_point when = FixedTime();
    for (int i = 0; i < kSavers; ++i) {
        savers.emplace_back([&, i] {
            // A folder object each, as separate processes have.
            BackupFolder backups(folder.Path(), [when] { return when; });
            const auto value = static_cast<std::uint8_t>(i);
            outcomes[static_cast<std::size_t>(i)] = backups.Save({"MC68HC05B6", {{0x0100, value}}});
        });
    }
    for (std::thread& saver : savers) saver.join();
    std::set<std::string> paths;
    for (const BackupStore::Outcome& outcome : outcomes) {
        EXPECT_TRUE(outcome.saved) << outcome.failure;
        paths.insert(outcome.path);
    }
    EXPECT_EQ(paths.size(), static_cast<std::size_t>(kSavers));
    EXPECT_EQ(FilesIn(folder.Path()).size(), static_cast<std::size_t>(kSavers));
}

} // namespace
} // namespace zav::testing
