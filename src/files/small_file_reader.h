#pragma once

#include <cstdint>
#include <filesystem>
#include <optional>
#include <string>

namespace zav {

// The largest settings-like file the program reads: far above any real one, far below
// what a mistaken link to a device or a huge file could make it hold in memory.
inline constexpr std::uintmax_t kMaxSmallFileBytes = 1024 * 1024;

// Reads a small file the program keeps for itself (the settings file, the ports map)
// whole. Only a regular file of at most kMaxSmallFileBytes is read: a folder, device,
// pipe or socket is never opened, so nothing blocks or fills the memory. Returns the text;
// nothing when the file does not exist (`problem` empty) or was not read (`problem` says
// why, as "it is a folder"; a link to nothing, or in a loop, is such a file). Never throws.
[[nodiscard]] std::optional<std::string> ReadSmallRegularFile(const std::filesystem::path& path,
                                                              std::string& problem);

} // namespace zav
