// Built as its own program: it stands in for the C library's fsync to see what a save syncs.
#include <gtest/gtest.h>

#include <dlfcn.h>
#include <sys/stat.h>

#include <string>
#include <vector>

#include "files/safe_file_writer.h"
#include "support/temp_folder.h"

namespace {

// What each fsync of the program was called on, in order: 'f' a regular file, 'd' a folder.
std::vector<char>& SyncedKinds()
{
    static std::vector<char> kinds;
    return kinds;
}

} // namespace

extern "C" int fsync(int fd)
{
    struct stat info {};
    if (::fstat(fd, &info) == 0) SyncedKinds().push_back(S_ISDIR(info.st_mode) ? 'd' : 'f');
    using SyncCall = int (*)(int);
    static const auto real = reinterpret_cast<SyncCall>(::dlsym(RTLD_NEXT, "fsync"));
    return real(fd);
}

namespace zav {
namespace {

TEST(SafeFileWriterSync, TheFileAndThenItsFolderAreSyncedBeforeSuccess)
{
    testing::TempFolder folder;
    std::string failure;
    SyncedKinds().clear();
    ASSERT_TRUE(WriteFileSafely(folder / "new.bin", "content", failure));
    EXPECT_EQ(SyncedKinds(), (std::vector<char>{'f', 'd'}));

    SyncedKinds().clear();
    ASSERT_TRUE(WriteFileSafely(folder / "new.bin", "replaced", failure));
    EXPECT_EQ(SyncedKinds(), (std::vector<char>{'f', 'd'}));

    // Written over in place, the old content's copy and its folder reach the disk first.
    std::filesystem::create_hard_link(folder / "new.bin", folder / "other.bin");
    SyncedKinds().clear();
    SaveRules rules;
    rules.keepFolder = folder / "kept";
    ASSERT_TRUE(WriteFileSafely(folder / "new.bin", "in place", failure, rules));
    EXPECT_EQ(SyncedKinds(), (std::vector<char>{'f', 'd', 'f'}));
}

// A conversion that can be run again asks for no sync, and still gets a whole file.
TEST(SafeFileWriterSync, AnUnsyncedSaveSyncsNothingAndStillReplacesWhole)
{
    testing::TempFolder folder;
    std::string failure;
    SyncedKinds().clear();
    ASSERT_TRUE(WriteFileSafely(folder / "out.bin", "first", failure, {.durability = Durability::Unsynced}));
    ASSERT_TRUE(WriteFileSafely(folder / "out.bin", "second", failure, {.durability = Durability::Unsynced}));
    EXPECT_EQ(SyncedKinds(), std::vector<char>{});
    EXPECT_EQ(testing::ReadFileBytes(folder / "out.bin"), "second");
    EXPECT_EQ(std::distance(std::filesystem::directory_iterator(folder.Path()), {}), 1);
}

} // namespace
} // namespace zav
