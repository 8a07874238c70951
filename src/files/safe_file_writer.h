#pragma once

#include <atomic>
#include <filesystem>
#include <string>
#include <string_view>

namespace zav {

// Writes `content` to `target` the way a careful editor saves, respecting what is there:
// - a new file appears only complete: the content is written to an unnamed file in the
//   target's folder, flushed to the disk, and only then given its name;
// - an existing regular file is replaced by rename, keeping its permissions, owner and group,
//   so a reader or a crash sees the old file or the whole new one; where a rename would lose
//   something (further hard links, an owner the program cannot give a new file, a folder it
//   may not write) the file is overwritten in place instead, after its space is reserved;
// - a device, FIFO or socket is written directly and never replaced; a folder is refused;
// - a symbolic link is followed, a dangling one creates the file it names;
// - a target the user may not write is refused with the system's reason, the old file kept.
// Success is reported only after the file and its folder were synced, unless the caller
// asks for Unsynced: the file still appears only whole, but a power cut shortly after may
// leave the old file (or none) in its place. A save cut short by a kill leaves at most one
// hidden file per target (".<name>.saving"), which the next save of that target removes.
//
// With `stop`, a save waits for nothing once it is set: opening a FIFO nobody reads and
// writing to a full pipe are polled, and a save that has not yet replaced anything gives up
// (failure kSaveInterrupted), leaving the old file as it was. A file overwritten in place is
// finished, since stopping there would leave neither the old nor the new content.
//
// Returns false, with `failure` holding the system's reason, when the file was not written.
enum class Durability { Synced, Unsynced };
inline constexpr const char* kSaveInterrupted = "interrupted by the user";
[[nodiscard]] bool WriteFileSafely(const std::filesystem::path& target, std::string_view content,
                                   std::string& failure, Durability durability = Durability::Synced,
                                   const std::atomic<bool>* stop = nullptr);

} // namespace zav
