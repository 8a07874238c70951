#pragma once

#include <filesystem>
#include <string>
#include <string_view>

namespace zav {

// Replaces a file's contents so that a reader (or a crash) sees either the old file or the
// whole new one: the content goes to a new temporary file in the target's folder, which is
// renamed over the target only after every byte was written, flushed and the file closed
// without error. A symbolic link as target is kept and the file it names replaced. An
// existing target's permissions carry over.
//
// The standard library offers no way to force the data onto the disk before the rename
// (no fsync), so a power loss right after a save can still lose it; a failure the system
// reports while writing, flushing or closing is caught.
//
// Returns false, with `failure` holding the system's reason, when the file could not be
// written; an earlier file is then left untouched and no temporary file stays behind.
[[nodiscard]] bool WriteFileAtomically(const std::filesystem::path& target, std::string_view content,
                                       std::string& failure);

} // namespace zav
