#include <gtest/gtest.h>

#include <fcntl.h>
#include <signal.h>
#include <sys/stat.h>
#include <sys/sysmacros.h>
#include <sys/wait.h>
#include <unistd.h>

#include <algorithm>
#include <array>
#include <chrono>
#include <filesystem>
#include <functional>
#include <future>
#include <string>
#include <thread>
#include <vector>

#include "files/safe_file_writer.h"
#include "support/temp_folder.h"

namespace zav {
namespace {

namespace fs = std::filesystem;

constexpr uid_t kNobody = 65534;

// Runs `save` as a user without privileges (the nobody account when the tests run as root,
// where every permission check would pass) and returns its failure text, "" on success.
std::string SaveWithoutPrivileges(const std::function<bool(std::string&)>& save)
{
    if (::geteuid() != 0) {
        std::string failure;
        return save(failure) ? "" : failure;
    }
    std::array<int, 2> pipeEnds{};
    if (::pipe(pipeEnds.data()) != 0) return "pipe failed";
    const pid_t child = ::fork();
    if (child == 0) {
        ::close(pipeEnds[0]);
        std::string failure = "could not drop privileges";
        const bool dropped = ::setgid(kNobody) == 0 && ::setuid(kNobody) == 0;
        if (dropped && save(failure)) failure.clear();
        const ssize_t ignored = ::write(pipeEnds[1], failure.data(), failure.size());
        static_cast<void>(ignored);
        ::_exit(0);
    }
    ::close(pipeEnds[1]);
    std::string failure;
    char chunk[256];
    for (ssize_t got; (got = ::read(pipeEnds[0], chunk, sizeof chunk)) > 0;)
        failure.append(chunk, static_cast<std::size_t>(got));
    ::close(pipeEnds[0]);
    ::waitpid(child, nullptr, 0);
    return failure;
}

class SafeFileWriter : public ::testing::Test {
protected:
    [[nodiscard]] std::vector<std::string> FolderEntries() const
    {
        std::vector<std::string> names;
        for (const auto& entry : fs::directory_iterator(folder.Path()))
            names.push_back(entry.path().filename());
        std::sort(names.begin(), names.end());
        return names;
    }

    bool Save(const fs::path& path, const std::string& content)
    {
        failure.clear();
        return WriteFileSafely(path, content, failure);
    }

    testing::TempFolder folder;
    std::string failure;
};

TEST_F(SafeFileWriter, ANewFileAppearsCompleteWithNothingElseInTheFolder)
{
    ASSERT_TRUE(Save(folder / "new.bin", "content")) << failure;
    EXPECT_EQ(testing::ReadFileBytes(folder / "new.bin"), "content");
    EXPECT_EQ(FolderEntries(), std::vector<std::string>{"new.bin"});
}

TEST_F(SafeFileWriter, AReplacedFileKeepsItsModeOwnerAndGroup)
{
    if (::geteuid() != 0) GTEST_SKIP() << "giving a file another owner needs root";
    const fs::path path = folder / "owned.s19";
    testing::WriteFileBytes(path, "old content that is longer");
    ASSERT_EQ(::chown(path.c_str(), kNobody, kNobody), 0);
    ASSERT_EQ(::chmod(path.c_str(), 0640), 0);
    ASSERT_TRUE(Save(path, "new")) << failure;
    struct stat info {};
    ASSERT_EQ(::stat(path.c_str(), &info), 0);
    EXPECT_EQ(info.st_uid, kNobody);
    EXPECT_EQ(info.st_gid, kNobody);
    EXPECT_EQ(info.st_mode & 07777, 0640U);
    EXPECT_EQ(testing::ReadFileBytes(path), "new");
}

// A file with further names can only be written over in place: its old content is copied
// whole into the keep folder first, and the caller hears of the copy before the file changes.
TEST_F(SafeFileWriter, HardLinksKeepSharingTheNewContentAfterTheOldIsKept)
{
    testing::TempFolder kept;
    const fs::path path = folder / "a.bin";
    testing::WriteFileBytes(path, "old content, longer than the new one");
    fs::create_hard_link(path, folder / "b.bin");
    std::vector<std::string> told;
    SaveRules rules;
    rules.keepFolder = kept / "copies";
    rules.onOldContentKept = [&](const fs::path& copy) {
        told.push_back(testing::ReadFileBytes(copy) + " / " + testing::ReadFileBytes(path));
    };
    ASSERT_TRUE(WriteFileSafely(path, "new", failure, rules)) << failure;
    EXPECT_EQ(fs::hard_link_count(path), 2U);
    EXPECT_EQ(testing::ReadFileBytes(folder / "b.bin"), "new");
    ASSERT_TRUE(WriteFileSafely(folder / "b.bin", std::string(70000, 'g'), failure, rules)) << failure;
    EXPECT_EQ(testing::ReadFileBytes(path), std::string(70000, 'g'));
    EXPECT_EQ(FolderEntries(), (std::vector<std::string>{"a.bin", "b.bin"}));
    // Told while the file still held what the copy holds.
    EXPECT_EQ(told, (std::vector<std::string>{
                        "old content, longer than the new one / old content, longer than the new one",
                        "new / new"}));
    EXPECT_EQ(std::distance(fs::directory_iterator(kept / "copies"), fs::directory_iterator()), 2);
}

TEST_F(SafeFileWriter, AFifoIsWrittenIntoAndStaysAFifo)
{
    const fs::path path = folder / "pipe";
    ASSERT_EQ(::mkfifo(path.c_str(), 0600), 0);
    std::string received;
    std::thread reader([&] { received = testing::ReadFileBytes(path); });
    const bool saved = Save(path, "through the pipe");
    reader.join();
    ASSERT_TRUE(saved) << failure;
    EXPECT_EQ(received, "through the pipe");
    EXPECT_TRUE(fs::is_fifo(path));
    EXPECT_EQ(FolderEntries(), std::vector<std::string>{"pipe"});
}

// A window's save never waits on a FIFO: nobody reading it is refused at once, a reader
// that stops taking data is given up on after a second, a reader that takes it all gets it.
TEST_F(SafeFileWriter, WithoutWaitingAFifoIsRefusedOrWrittenButNeverHangs)
{
    const fs::path path = folder / "pipe";
    ASSERT_EQ(::mkfifo(path.c_str(), 0600), 0);
    const auto saveWithoutWaiting = [&](const std::string& content) {
        auto save = std::async(std::launch::async, [&] {
            std::string reason;
            return WriteFileSafely(path, content, reason, {.waiting = Waiting::Never}) ? std::string()
                                                                                              : reason;
        });
        if (save.wait_for(std::chrono::seconds(10)) != std::future_status::ready) {
            ADD_FAILURE() << "the save waits for a reader";
            const int reader = ::open(path.c_str(), O_RDONLY | O_NONBLOCK);
            const std::string result = save.get();
            ::close(reader);
            return result;
        }
        return save.get();
    };
    EXPECT_EQ(saveWithoutWaiting("nobody reads this"), "no process reads from this named pipe (FIFO)");

    // A reader that opened the pipe but reads nothing: more than the pipe holds is too much.
    const int idle = ::open(path.c_str(), O_RDONLY | O_NONBLOCK);
    ASSERT_GE(idle, 0);
    EXPECT_EQ(saveWithoutWaiting(std::string(1 << 20, 'x')), "it took no data for a second");
    ::close(idle);

    std::string received;
    const int reader = ::open(path.c_str(), O_RDONLY | O_NONBLOCK);
    ASSERT_GE(reader, 0);
    // Reads until it has it all: before the writer opens, the pipe reads as empty.
    std::thread draining([&] {
        const auto giveUp = std::chrono::steady_clock::now() + std::chrono::seconds(10);
        char chunk[4096];
        while (received.size() < 200000 && std::chrono::steady_clock::now() < giveUp) {
            const ssize_t got = ::read(reader, chunk, sizeof chunk);
            if (got > 0) {
                received.append(chunk, static_cast<std::size_t>(got));
            } else {
                std::this_thread::sleep_for(std::chrono::milliseconds(1));
            }
        }
    });
    EXPECT_EQ(saveWithoutWaiting(std::string(200000, 'y')), "");
    draining.join();
    ::close(reader);
    EXPECT_EQ(received, std::string(200000, 'y'));
    EXPECT_TRUE(fs::is_fifo(path));
}

TEST_F(SafeFileWriter, ACharacterDeviceIsWrittenIntoAndStaysADevice)
{
    // A private node of the null device, so the test never touches the system's own.
    const fs::path path = folder / "null";
    if (::mknod(path.c_str(), S_IFCHR | 0666, ::makedev(1, 3)) != 0) GTEST_SKIP() << "mknod needs privileges";
    ASSERT_TRUE(Save(path, "discarded")) << failure;
    EXPECT_TRUE(fs::is_character_file(path));
    EXPECT_EQ(FolderEntries(), std::vector<std::string>{"null"});
}

TEST_F(SafeFileWriter, AFolderIsRefusedAndKept)
{
    fs::create_directory(folder / "taken");
    testing::WriteFileBytes(folder / "taken" / "inside", "kept");
    EXPECT_FALSE(Save(folder / "taken", "x"));
    EXPECT_EQ(failure, "Is a directory");
    EXPECT_EQ(testing::ReadFileBytes(folder / "taken" / "inside"), "kept");
    EXPECT_EQ(FolderEntries(), std::vector<std::string>{"taken"});
}

TEST_F(SafeFileWriter, AFileTheUserMayNotWriteIsRefusedWithTheReasonAndKept)
{
    const fs::path path = folder / "protected.bin";
    testing::WriteFileBytes(path, "earlier");
    // The user's own file, write-protected, in a folder open to everybody: a rename over it
    // would go through, so only the file's own protection may refuse, as the shell's ">" does.
    if (::geteuid() == 0) {
        ASSERT_EQ(::chown(path.c_str(), kNobody, kNobody), 0);
    }
    fs::permissions(path, fs::perms::owner_read | fs::perms::group_read | fs::perms::others_read);
    fs::permissions(folder.Path(), fs::perms::all, fs::perm_options::replace);
    const std::string reason =
        SaveWithoutPrivileges([&](std::string& why) { return WriteFileSafely(path, "new", why); });
    EXPECT_EQ(reason, "Permission denied");
    EXPECT_EQ(testing::ReadFileBytes(path), "earlier");
    EXPECT_EQ(FolderEntries(), std::vector<std::string>{"protected.bin"});
}

// Root passes every write check: a file made read-only on purpose is still refused, and
// replaced, keeping its permissions, only when the caller says the user chose so.
TEST_F(SafeFileWriter, AReadOnlyFileIsRefusedEvenForRootUnlessReplacingWasChosen)
{
    if (::geteuid() != 0) GTEST_SKIP() << "only root may write a read-only file";
    const fs::path path = folder / "release.s19";
    testing::WriteFileBytes(path, "earlier");
    fs::permissions(path, fs::perms::owner_read | fs::perms::group_read | fs::perms::others_read,
                    fs::perm_options::replace);
    EXPECT_TRUE(IsReadOnlyButReplaceable(path));
    EXPECT_FALSE(Save(path, "new"));
    EXPECT_EQ(failure, "Permission denied: the file is read-only");
    EXPECT_EQ(testing::ReadFileBytes(path), "earlier");

    EXPECT_TRUE(WriteFileSafely(path, "new", failure, {.durability = Durability::Unsynced, .readOnly = ReadOnlyFiles::Replace})) << failure;
    EXPECT_EQ(testing::ReadFileBytes(path), "new");
    EXPECT_EQ(fs::status(path).permissions(),
              fs::perms::owner_read | fs::perms::group_read | fs::perms::others_read);
    EXPECT_EQ(FolderEntries(), std::vector<std::string>{"release.s19"});

    fs::permissions(path, fs::perms::owner_write, fs::perm_options::add);
    EXPECT_FALSE(IsReadOnlyButReplaceable(path));
    EXPECT_FALSE(IsReadOnlyButReplaceable(folder / "missing.s19"));
}

// A folder that takes no new file leaves only a write in place, which a kill could tear: it
// happens once the old content is kept elsewhere, and where it cannot be kept the file is
// left alone and the failure says why and what to do.
TEST_F(SafeFileWriter, AFileInAFolderClosedToNewNamesIsWrittenInPlaceOnlyOnceItsOldContentIsKept)
{
    const fs::path locked = folder / "locked";
    const fs::path open = folder / "open";
    fs::create_directory(locked);
    fs::create_directory(open);
    const fs::path path = locked / "out.bin";
    testing::WriteFileBytes(path, "earlier and longer");
    ::chown(path.c_str(), kNobody, kNobody);
    fs::permissions(path, fs::perms::owner_read | fs::perms::owner_write);
    fs::permissions(locked, fs::perms::owner_read | fs::perms::owner_exec | fs::perms::others_read |
                                fs::perms::others_exec);
    fs::permissions(open, fs::perms::all);
    const auto saveKeepingIn = [&](const fs::path& keep) {
        return SaveWithoutPrivileges([&](std::string& why) {
            SaveRules rules;
            rules.keepFolder = keep;
            return WriteFileSafely(path, "new", why, rules);
        });
    };

    const std::string refusal = saveKeepingIn(locked / "copies");
    EXPECT_EQ(refusal,
              "it can only be written over in place, since its folder takes no new file (Permission denied), "
              "and its old content could not be copied to " +
                  (locked / "copies").string() +
                  " first (Permission denied); nothing was written: save under another name, or let " +
                  (locked / "copies").string() + " take the copy");
    EXPECT_EQ(testing::ReadFileBytes(path), "earlier and longer");

    EXPECT_EQ(saveKeepingIn(open), "");
    EXPECT_EQ(testing::ReadFileBytes(path), "new");
    std::vector<std::string> copies;
    for (const auto& entry : fs::directory_iterator(open))
        copies.push_back(testing::ReadFileBytes(entry.path()));
    EXPECT_EQ(copies, std::vector<std::string>{"earlier and longer"});
}

TEST_F(SafeFileWriter, ADanglingSymbolicLinkCreatesItsTarget)
{
    fs::create_directory(folder / "real");
    fs::create_symlink("real/file.bin", folder / "link.bin");
    ASSERT_TRUE(Save(folder / "link.bin", "made")) << failure;
    EXPECT_TRUE(fs::is_symlink(folder / "link.bin"));
    EXPECT_EQ(testing::ReadFileBytes(folder / "real" / "file.bin"), "made");
}

TEST_F(SafeFileWriter, AChainOfLinksIsFollowedToTheFile)
{
    testing::WriteFileBytes(folder / "file.bin", "old");
    fs::create_symlink("file.bin", folder / "one");
    fs::create_symlink(folder / "one", folder / "two");
    ASSERT_TRUE(Save(folder / "two", "new"));
    EXPECT_TRUE(fs::is_symlink(folder / "one"));
    EXPECT_TRUE(fs::is_symlink(folder / "two"));
    EXPECT_EQ(testing::ReadFileBytes(folder / "file.bin"), "new");
    fs::create_symlink("loop", folder / "loop");
    EXPECT_FALSE(Save(folder / "loop", "x"));
    EXPECT_EQ(failure, "Too many levels of symbolic links");
}

TEST_F(SafeFileWriter, ALeftoverOfAKilledSaveIsRemovedByTheNextSave)
{
    const fs::path path = folder / "out.bin";
    testing::WriteFileBytes(path, "earlier");
    testing::WriteFileBytes(folder / ".out.bin.saving", "half");
    ASSERT_TRUE(Save(path, "new"));
    EXPECT_EQ(FolderEntries(), std::vector<std::string>{"out.bin"});
}

TEST_F(SafeFileWriter, KilledSavesLeaveAtMostOneHiddenFileAndNeverAHalfTarget)
{
    const fs::path path = folder / "big.bin";
    const std::string content(4 << 20, 'k');
    testing::WriteFileBytes(path, content);
    for (int round = 0; round < 6; ++round) {
        const pid_t child = ::fork();
        if (child == 0) {
            std::string ignored;
            for (;;) static_cast<void>(WriteFileSafely(path, content, ignored));
        }
        std::this_thread::sleep_for(std::chrono::milliseconds(3 + 7 * round));
        ::kill(child, SIGKILL);
        ::waitpid(child, nullptr, 0);
        const auto entries = FolderEntries();
        EXPECT_TRUE(entries == std::vector<std::string>{"big.bin"} ||
                    entries == (std::vector<std::string>{".big.bin.saving", "big.bin"}))
            << entries.size() << " entries";
        EXPECT_EQ(fs::file_size(path), content.size());
    }
    ASSERT_TRUE(Save(path, "final"));
    EXPECT_EQ(FolderEntries(), std::vector<std::string>{"big.bin"});
}

TEST_F(SafeFileWriter, AMissingFolderFailsWithTheSystemsReason)
{
    EXPECT_FALSE(Save(folder / "absent" / "file.bin", "x"));
    EXPECT_EQ(failure, "No such file or directory");
}

} // namespace
} // namespace zav
