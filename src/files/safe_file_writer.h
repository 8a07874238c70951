#pragma once

#include <atomic>
#include <filesystem>
#include <functional>
#include <string>
#include <string_view>

namespace zav {

// Writes `content` to `target` the way a careful editor saves, respecting what is there:
// - a new file appears only complete: the content is written to an unnamed file in the
//   target's folder, flushed to the disk, and only then given its name;
// - an existing regular file is replaced by rename, keeping its permissions, owner and group,
//   so a reader or a crash sees the old file or the whole new one; where a rename would lose
//   something (further hard links, an owner the program cannot give a new file, a folder it
//   may not write) the file is overwritten in place instead, but only once its old content
//   has been copied whole (and synced) into the keep folder, so a kill in the middle never
//   leaves a mix of both with nothing to go back to; where no copy can be made the save is
//   refused with the reason and the way out;
// - a device, FIFO or socket is written directly and never replaced; a folder is refused;
// - a symbolic link is followed, a dangling one creates the file it names;
// - a target the user may not write is refused with the system's reason, the old file kept;
// - a regular file whose permissions let no one write it (chmod a-w) is refused even where
//   the system would let this process write it (as root), as "Permission denied: the file
//   is read-only", unless the caller passes ReadOnlyFiles::Replace after the user chose so;
//   the replacement keeps the file's permissions.
// Success is reported only after the file and its folder were synced, unless the caller
// asks for Unsynced: the file still appears only whole, but a power cut shortly after may
// leave the old file (or none) in its place. A save cut short by a kill leaves at most one
// hidden file per target (".<name>.saving"), which the next save of that target removes.
//
// With Waiting::Never a FIFO or device is opened without waiting for a reader and given at
// most a second to take each part of the content, so a window's thread never hangs on it;
// a FIFO nobody reads is refused at once.
//
// With a `stop` flag, a save waits for nothing once it is set: opening a FIFO nobody reads
// and writing to a full pipe are polled, and a save that has not yet replaced anything gives
// up (failure kSaveInterrupted), leaving the old file as it was. A file overwritten in place
// is finished, since stopping there would leave neither the old nor the new content.
//
// Returns false, with `failure` holding the system's reason, when the file was not written.
enum class Durability { Synced, Unsynced };
enum class ReadOnlyFiles { Refuse, Replace };
enum class Waiting { Allowed, Never };
inline constexpr const char* kSaveInterrupted = "interrupted by the user";

// How one save treats the disk, a read-only target and a target that makes it wait.
struct SaveRules {
    Durability durability = Durability::Synced;
    ReadOnlyFiles readOnly = ReadOnlyFiles::Refuse;
    Waiting waiting = Waiting::Allowed;
    const std::atomic<bool>* stop = nullptr;
    // Where the old content of a file that can only be overwritten in place is copied first;
    // empty: the backups folder.
    std::filesystem::path keepFolder{};
    // Told the copy's path before the file is touched, so the user learns where the old
    // content is even if the save is killed halfway.
    std::function<void(const std::filesystem::path& copy)> onOldContentKept{};
};

[[nodiscard]] bool WriteFileSafely(const std::filesystem::path& target, std::string_view content,
                                   std::string& failure, const SaveRules& rules = {});

// True when `target` (links followed) is a regular file whose permissions let no one write it
// and which this process could replace all the same (as root): the case to ask the user about.
[[nodiscard]] bool IsReadOnlyButReplaceable(const std::filesystem::path& target);

// Adds one record (a line, ending in a newline) at the end of a log file, created if need
// be. What the file holds is never shortened or rewritten:
// - appenders from several processes take turns (an exclusive lock on the file), so their
//   records never interleave;
// - a file whose last byte is no newline (a record cut short by a crash, or a file that was
//   never a log) gets one first, so the new record starts on a line of its own;
// - a failed append takes back its own bytes only;
// - the record is synced to the disk before success is reported (unless Unsynced).
// Only a regular file is a log: a folder, FIFO, device or socket is refused (their records
// would go nowhere a reader finds them). Returns false, with `failure` holding the reason,
// when the record was not added.
[[nodiscard]] bool AppendRecordSafely(const std::filesystem::path& target, std::string_view record,
                                      std::string& failure, Durability durability = Durability::Synced);

} // namespace zav
