// The one file of the core that calls the operating system directly: a save that respects
// devices, links, owners and crashes needs calls the standard library does not offer.
#include "files/safe_file_writer.h"

#include <fcntl.h>
#include <linux/falloc.h>
#include <poll.h>
#include <sys/file.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <climits>
#include <ctime>
#include <string>
#include <system_error>
#include <utility>

#include "files/backup_folder.h"
#include "files/regular_file_input.h"

namespace zav {

namespace {

namespace fs = std::filesystem;

// Linux gives up on a chain of symbolic links after 40 of them; so do we.
constexpr int kMaxLinkHops = 40;
// How long a write that must not hang waits for a FIFO or device to take more data.
constexpr int kMaxStallMs = 1000;
// How often a save waiting for a reader looks at the stop request.
constexpr int kStopCheckMs = 20;
// A save with a stop request writes in pieces of this size, so a slow disk answers a stop.
constexpr std::size_t kStoppableChunk = 64 * 1024;

constexpr mode_t kAnyWrite = S_IWUSR | S_IWGRP | S_IWOTH;

std::string Reason(int error)
{
    return std::generic_category().message(error);
}

class Descriptor {
public:
    explicit Descriptor(int fd = -1) : fd_(fd) {}
    Descriptor(const Descriptor&) = delete;
    Descriptor& operator=(const Descriptor&) = delete;
    Descriptor(Descriptor&& other) noexcept : fd_(std::exchange(other.fd_, -1)) {}
    Descriptor& operator=(Descriptor&&) = delete;
    ~Descriptor()
    {
        if (fd_ >= 0) ::close(fd_);
    }
    [[nodiscard]] int Get() const { return fd_; }
    [[nodiscard]] bool IsOpen() const { return fd_ >= 0; }
    // Closes now and reports the error a close may still bring (a late write failure on NFS).
    [[nodiscard]] int Close()
    {
        const int result = ::close(fd_);
        fd_ = -1;
        return result;
    }

private:
    int fd_;
};

bool Fail(std::string& failure, int error)
{
    failure = Reason(error);
    return false;
}

bool Stopped(const std::atomic<bool>* stop, std::string& failure)
{
    if (stop == nullptr || !stop->load()) return false;
    failure = kSaveInterrupted;
    return true;
}

// With `stop`, the content goes in pieces and a descriptor that would block (a pipe whose
// reader is slow) is waited for in short polls; a stop ends the write unfinished. With
// Waiting::Never, a descriptor that takes no data for kMaxStallMs ends it instead.
bool WriteAll(int fd, std::string_view content, std::string& failure, const std::atomic<bool>* stop = nullptr,
              Waiting waiting = Waiting::Allowed)
{
    std::size_t done = 0;
    while (done < content.size()) {
        if (Stopped(stop, failure)) return false;
        const std::size_t piece = stop != nullptr ? std::min(kStoppableChunk, content.size() - done)
                                                  : content.size() - done;
        const ssize_t written = ::write(fd, content.data() + done, piece);
        if (written >= 0) {
            done += static_cast<std::size_t>(written);
            continue;
        }
        if (errno == EINTR) continue;
        if (errno != EAGAIN) return Fail(failure, errno);
        pollfd ready{fd, POLLOUT, 0};
        const int polled = ::poll(&ready, 1, waiting == Waiting::Never ? kMaxStallMs : kStopCheckMs);
        if (waiting != Waiting::Never) continue;
        if (polled < 0 && errno != EINTR) return Fail(failure, errno);
        if (polled == 0) {
            failure = "it took no data for a second";
            return false;
        }
    }
    return true;
}

// Devices and pipes cannot be synced and say so with EINVAL or EROFS; that is no failure.
bool Sync(int fd, std::string& failure, bool mayBeUnsyncable, Durability durability)
{
    if (durability == Durability::Unsynced || ::fsync(fd) == 0) return true;
    if (mayBeUnsyncable && (errno == EINVAL || errno == EROFS)) return true;
    return Fail(failure, errno);
}

fs::path FolderOf(const fs::path& file)
{
    return file.has_parent_path() ? file.parent_path() : fs::path(".");
}

bool SyncFolder(const fs::path& folder, std::string& failure, Durability durability)
{
    if (durability == Durability::Unsynced) return true;
    Descriptor fd(::open(folder.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC));
    if (!fd.IsOpen()) return Fail(failure, errno);
    return Sync(fd.Get(), failure, true, durability);
}

// The file the bytes go to: symbolic links followed, the last one possibly dangling.
bool ResolveLinks(const fs::path& target, fs::path& destination, std::string& failure)
{
    fs::path current = target;
    for (int hop = 0; hop < kMaxLinkHops; ++hop) {
        struct stat info {};
        if (::lstat(current.c_str(), &info) != 0 || !S_ISLNK(info.st_mode)) {
            destination = current;
            return true;
        }
        char text[PATH_MAX];
        const ssize_t length = ::readlink(current.c_str(), text, sizeof text);
        if (length < 0) return Fail(failure, errno);
        const fs::path next(std::string(text, static_cast<std::size_t>(length)));
        current = next.is_absolute() ? next : FolderOf(current) / next;
    }
    return Fail(failure, ELOOP);
}

// The one hidden name a save of `destination` may leave behind when it is killed.
fs::path LeftoverPath(const fs::path& destination)
{
    // Appended, not "." + name: GCC 12 at -O3 warns (-Wrestrict, a false positive) on a
    // literal joined to a temporary string's front.
    std::string name = ".";
    name += destination.filename().string();
    name += ".saving";
    return FolderOf(destination) / name;
}

void RemoveLeftover(const fs::path& leftover)
{
    ::unlink(leftover.c_str());
}

// An unnamed file in the folder, or the fixed hidden name where the file system has none.
// On failure `error` holds the system's error number.
Descriptor CreateUnnamed(const fs::path& destination, bool& named, int& error)
{
    const fs::path folder = FolderOf(destination);
    named = false;
    Descriptor fd(::open(folder.c_str(), O_TMPFILE | O_WRONLY | O_CLOEXEC, 0666));
    if (fd.IsOpen()) return fd;
    error = errno;
    if (error != EOPNOTSUPP && error != EISDIR && error != EINVAL) return Descriptor();
    const fs::path leftover = LeftoverPath(destination);
    RemoveLeftover(leftover);
    Descriptor fallback(::open(leftover.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_NOFOLLOW | O_CLOEXEC, 0666));
    error = errno;
    named = fallback.IsOpen();
    return fallback;
}

// Gives an unnamed file the name `path` (which must not exist).
bool NameUnnamed(int fd, const fs::path& path, std::string& failure)
{
    if (::linkat(fd, "", AT_FDCWD, path.c_str(), AT_EMPTY_PATH) == 0) return true;
    const std::string procPath = "/proc/self/fd/" + std::to_string(fd);
    if (::linkat(AT_FDCWD, procPath.c_str(), AT_FDCWD, path.c_str(), AT_SYMLINK_FOLLOW) == 0) return true;
    return Fail(failure, errno);
}

bool CreateNewFile(const fs::path& destination, std::string_view content, std::string& failure,
                   Durability durability, const std::atomic<bool>* stop)
{
    bool named = false;
    int error = 0;
    Descriptor fd = CreateUnnamed(destination, named, error);
    if (!fd.IsOpen()) return Fail(failure, error);
    const fs::path leftover = LeftoverPath(destination);
    if (!WriteAll(fd.Get(), content, failure, stop) || !Sync(fd.Get(), failure, false, durability) ||
        Stopped(stop, failure)) {
        if (named) RemoveLeftover(leftover);
        return false;
    }
    const bool placed = named ? ::rename(leftover.c_str(), destination.c_str()) == 0 || Fail(failure, errno)
                              : NameUnnamed(fd.Get(), destination, failure);
    if (!placed) {
        if (named) RemoveLeftover(leftover);
        return false;
    }
    if (fd.Close() != 0) return Fail(failure, errno);
    return SyncFolder(FolderOf(destination), failure, durability);
}

enum class Replacement { Done, Failed, NeedsInPlace };

// Replaces an existing regular file by rename, unless the new file could not carry the old
// one's owner, group and permissions or the folder refuses a new name.
Replacement ReplaceByRename(const fs::path& destination, const struct stat& old, std::string_view content,
                            std::string& failure, Durability durability, const std::atomic<bool>* stop)
{
    bool named = false;
    int error = 0;
    Descriptor fd = CreateUnnamed(destination, named, error);
    if (!fd.IsOpen()) {
        if (error == EACCES || error == EPERM) {
            failure = "its folder takes no new file (" + Reason(error) + ")";
            return Replacement::NeedsInPlace;
        }
        Fail(failure, error);
        return Replacement::Failed;
    }
    const fs::path leftover = LeftoverPath(destination);
    struct stat fresh {};
    const bool sameOwner =
        ::fstat(fd.Get(), &fresh) == 0 && ((fresh.st_uid == old.st_uid && fresh.st_gid == old.st_gid) ||
                                           ::fchown(fd.Get(), old.st_uid, old.st_gid) == 0);
    if (!sameOwner || ::fchmod(fd.Get(), old.st_mode & 07777) != 0) {
        if (named) RemoveLeftover(leftover);
        failure = "a new file could not keep its owner, group and permissions";
        return Replacement::NeedsInPlace;
    }
    if (!WriteAll(fd.Get(), content, failure, stop) || !Sync(fd.Get(), failure, false, durability) ||
        Stopped(stop, failure)) {
        if (named) RemoveLeftover(leftover);
        return Replacement::Failed;
    }
    if (!named) {
        RemoveLeftover(leftover);
        if (!NameUnnamed(fd.Get(), leftover, failure)) return Replacement::Failed;
    }
    if (::rename(leftover.c_str(), destination.c_str()) != 0) {
        error = errno;
        RemoveLeftover(leftover);
        if (error == EACCES || error == EPERM) {
            failure = "its folder lets no file take its name (" + Reason(error) + ")";
            return Replacement::NeedsInPlace;
        }
        Fail(failure, error);
        return Replacement::Failed;
    }
    if (fd.Close() != 0) {
        Fail(failure, errno);
        return Replacement::Failed;
    }
    return SyncFolder(FolderOf(destination), failure, durability) ? Replacement::Done : Replacement::Failed;
}

// Overwrites the file's own bytes, so every name, the owner and the mode stay. The content
// is complete in memory; the blocks it needs are reserved first, so a full disk is found
// before the old content is touched.
bool OverwriteInPlace(const fs::path& destination, const struct stat& old, std::string_view content,
                      std::string& failure, Durability durability)
{
    Descriptor fd(::open(destination.c_str(), O_WRONLY | O_NOCTTY | O_CLOEXEC));
    if (!fd.IsOpen()) return Fail(failure, errno);
    const auto size = static_cast<off_t>(content.size());
    if (size > old.st_size && ::fallocate(fd.Get(), FALLOC_FL_KEEP_SIZE, 0, size) != 0 && errno != EOPNOTSUPP)
        return Fail(failure, errno);
    if (!WriteAll(fd.Get(), content, failure)) return false;
    if (::ftruncate(fd.Get(), size) != 0) return Fail(failure, errno);
    if (!Sync(fd.Get(), failure, false, durability)) return false;
    if (fd.Close() != 0) return Fail(failure, errno);
    return true;
}

bool ReadWhole(const fs::path& path, std::string& content, std::string& failure)
{
    Descriptor fd(::open(path.c_str(), O_RDONLY | O_NOCTTY | O_NONBLOCK | O_CLOEXEC));
    if (!fd.IsOpen()) return Fail(failure, errno);
    char chunk[64 * 1024];
    for (;;) {
        const ssize_t got = ::read(fd.Get(), chunk, sizeof chunk);
        if (got < 0 && errno == EINTR) continue;
        if (got < 0) return Fail(failure, errno);
        if (got == 0) return true;
        content.append(chunk, static_cast<std::size_t>(got));
    }
}

// "<name>.<yyyymmdd-hhmmss>.kept" in `folder`, with "-2", "-3" ... after the time when taken.
fs::path FreeCopyName(const fs::path& folder, const fs::path& destination)
{
    const std::time_t now = std::time(nullptr);
    std::tm local{};
    localtime_r(&now, &local);
    char stamp[32];
    std::strftime(stamp, sizeof stamp, "%Y%m%d-%H%M%S", &local);
    const std::string stem = destination.filename().string() + "." + stamp;
    fs::path copy = folder / (stem + ".kept");
    for (int same = 2; ::access(copy.c_str(), F_OK) == 0; ++same)
        copy = folder / (stem + "-" + std::to_string(same) + ".kept");
    return copy;
}

// Copies the file's whole content into `folder`, synced, as a new file of its own.
bool KeepOldContent(const fs::path& destination, const fs::path& folder, fs::path& copy, std::string& failure)
{
    std::string content;
    if (!ReadWhole(destination, content, failure)) return false;
    std::error_code error;
    fs::create_directories(folder, error);
    if (error) return Fail(failure, error.value());
    copy = FreeCopyName(folder, destination);
    return CreateNewFile(copy, content, failure, Durability::Synced, nullptr);
}

// A FIFO opened without blocking: until a reader comes the open fails with ENXIO, and is
// tried again every few milliseconds until the stop request is set.
Descriptor OpenFifoUnlessStopped(const fs::path& destination, std::string& failure, const std::atomic<bool>& stop)
{
    for (;;) {
        Descriptor fd(::open(destination.c_str(), O_WRONLY | O_NONBLOCK | O_CLOEXEC));
        if (fd.IsOpen() || errno != ENXIO) {
            if (!fd.IsOpen()) Fail(failure, errno);
            return fd;
        }
        if (Stopped(&stop, failure)) return Descriptor();
        ::poll(nullptr, 0, kStopCheckMs);
    }
}

// Opens a device or FIFO as the rules allow: never waiting (a FIFO nobody reads is refused at
// once), waiting until a stop, or waiting as long as it takes.
Descriptor OpenSpecialFile(const fs::path& destination, const struct stat& info, const SaveRules& rules,
                           std::string& failure)
{
    if (rules.waiting == Waiting::Never) {
        Descriptor fd(::open(destination.c_str(), O_WRONLY | O_NOCTTY | O_CLOEXEC | O_NONBLOCK));
        if (!fd.IsOpen()) {
            if (errno == ENXIO && S_ISFIFO(info.st_mode)) {
                failure = "no process reads from this named pipe (FIFO)";
            } else {
                Fail(failure, errno);
            }
        }
        return fd;
    }
    if (rules.stop != nullptr && S_ISFIFO(info.st_mode)) return OpenFifoUnlessStopped(destination, failure, *rules.stop);
    Descriptor fd(::open(destination.c_str(), O_WRONLY | O_NOCTTY | O_CLOEXEC));
    if (!fd.IsOpen()) Fail(failure, errno);
    return fd;
}

// A device, FIFO or socket takes the bytes as they come; it is never replaced.
bool WriteToSpecialFile(const fs::path& destination, const struct stat& info, std::string_view content,
                        std::string& failure, const SaveRules& rules)
{
    Descriptor fd = OpenSpecialFile(destination, info, rules, failure);
    if (!fd.IsOpen()) return false;
    if (!WriteAll(fd.Get(), content, failure, rules.stop, rules.waiting) ||
        !Sync(fd.Get(), failure, true, rules.durability)) {
        return false;
    }
    if (fd.Close() != 0) return Fail(failure, errno);
    return true;
}

// Whether the file's last byte is a newline; an empty file needs none either.
bool EndsWithNewline(int fd, off_t size, bool& ends, std::string& failure)
{
    ends = true;
    if (size == 0) return true;
    char last = 0;
    for (;;) {
        const ssize_t got = ::pread(fd, &last, 1, size - 1);
        if (got < 0 && errno == EINTR) continue;
        if (got < 0) return Fail(failure, errno);
        if (got != 1) return Fail(failure, EIO);
        ends = last == '\n';
        return true;
    }
}

// Appends under the file's lock. A file that does not end in a newline keeps every byte and
// gets one before the record, so no earlier line is joined to it.
bool AppendToRegularFile(int fd, std::string_view record, std::string& failure, Durability durability)
{
    struct stat info {};
    if (::fstat(fd, &info) != 0) return Fail(failure, errno);
    bool endsWithNewline = true;
    if (!EndsWithNewline(fd, info.st_size, endsWithNewline, failure)) return false;
    std::string line = endsWithNewline ? std::string() : std::string("\n");
    line += record;
    if (!WriteAll(fd, line, failure) || !Sync(fd, failure, false, durability)) {
        // O_APPEND wrote from the old end, and the lock kept other appenders out: what
        // arrived is this append's own and goes again.
        if (::ftruncate(fd, info.st_size) == 0) (void)::fsync(fd);
        return false;
    }
    return true;
}

} // namespace

bool IsReadOnlyButReplaceable(const fs::path& target)
{
    fs::path destination;
    std::string ignored;
    struct stat info {};
    return ResolveLinks(target, destination, ignored) && ::stat(destination.c_str(), &info) == 0 &&
           S_ISREG(info.st_mode) && (info.st_mode & kAnyWrite) == 0 &&
           ::faccessat(AT_FDCWD, destination.c_str(), W_OK, AT_EACCESS) == 0;
}

bool AppendRecordSafely(const fs::path& target, std::string_view record, std::string& failure,
                        Durability durability)
{
    if (const std::string kind = NonRegularKind(target); !kind.empty()) {
        failure = kind + ", not a regular file";
        return false;
    }
    struct stat before {};
    const bool existed = ::stat(target.c_str(), &before) == 0;
    // Read access too: the last byte tells whether a newline is missing. O_NONBLOCK, so a
    // FIFO put in the file's place meanwhile cannot hold the run.
    Descriptor fd(
        ::open(target.c_str(), O_RDWR | O_APPEND | O_CREAT | O_NOCTTY | O_NONBLOCK | O_CLOEXEC, 0666));
    if (!fd.IsOpen()) return Fail(failure, errno);
    struct stat info {};
    if (::fstat(fd.Get(), &info) != 0) return Fail(failure, errno);
    if (!S_ISREG(info.st_mode)) {
        failure = "not a regular file";
        return false;
    }
    while (::flock(fd.Get(), LOCK_EX) != 0) {
        if (errno != EINTR) return Fail(failure, errno);
    }
    if (!AppendToRegularFile(fd.Get(), record, failure, durability)) return false;
    if (fd.Close() != 0) return Fail(failure, errno);
    // A new log's name must reach the disk with its first record.
    if (!existed) {
        fs::path destination;
        if (!ResolveLinks(target, destination, failure)) return false;
        return SyncFolder(FolderOf(destination), failure, durability);
    }
    return true;
}

bool WriteFileSafely(const fs::path& target, std::string_view content, std::string& failure,
                     const SaveRules& rules)
{
    fs::path destination;
    if (!ResolveLinks(target, destination, failure)) return false;

    struct stat old {};
    if (::stat(destination.c_str(), &old) != 0) {
        if (errno != ENOENT) return Fail(failure, errno);
        return CreateNewFile(destination, content, failure, rules.durability, rules.stop);
    }
    if (S_ISDIR(old.st_mode)) return Fail(failure, EISDIR);
    if (::faccessat(AT_FDCWD, destination.c_str(), W_OK, AT_EACCESS) != 0) return Fail(failure, errno);
    // The write check passes for root: a file made read-only on purpose stays unless the
    // user said to replace it.
    if (S_ISREG(old.st_mode) && (old.st_mode & kAnyWrite) == 0 && rules.readOnly == ReadOnlyFiles::Refuse) {
        failure = Reason(EACCES) + ": the file is read-only";
        return false;
    }
    if (!S_ISREG(old.st_mode)) return WriteToSpecialFile(destination, old, content, failure, rules);

    std::string whyInPlace =
        "it has " + std::to_string(old.st_nlink) + " names (hard links), which a new file would part";
    if (old.st_nlink == 1) {
        switch (ReplaceByRename(destination, old, content, failure, rules.durability, rules.stop)) {
        case Replacement::Done:
            return true;
        case Replacement::Failed:
            return false;
        case Replacement::NeedsInPlace:
            whyInPlace = failure;
            break;
        }
    }
    if (Stopped(rules.stop, failure)) return false;
    // Written over in place, a kill halfway would leave new bytes before the old tail: the
    // old content goes somewhere whole first.
    const fs::path keepFolder = rules.keepFolder.empty() ? DefaultBackupFolder() : rules.keepFolder;
    fs::path copy;
    if (!KeepOldContent(destination, keepFolder, copy, failure)) {
        failure = "it can only be written over in place, since " + whyInPlace +
                  ", and its old content could not be copied to " + keepFolder.string() + " first (" + failure +
                  "); nothing was written: save under another name, or let " + keepFolder.string() +
                  " take the copy";
        return false;
    }
    if (rules.onOldContentKept) rules.onOldContentKept(copy);
    return OverwriteInPlace(destination, old, content, failure, rules.durability);
}

} // namespace zav
