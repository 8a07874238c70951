#pragma once

#include <filesystem>
#include <fstream>
#include <string>

namespace zav {

// Opens a file for reading the way the windows load one: without ever waiting. Opening a
// FIFO waits for a writer and reading a device may never end, so anything but a regular
// file is refused and `kind` names what it is ("a named pipe (FIFO)", "a folder", ...).
// A file that cannot be opened at all returns false with `kind` empty. On success `stream`
// reads the very file that was checked, even if the name was given to another meanwhile.
[[nodiscard]] bool OpenRegularFile(const std::filesystem::path& path, std::ifstream& stream, std::string& kind);

// What stands at `path` (links followed) when it is there and no regular file: "a folder",
// "a named pipe (FIFO)", "a character device" ...; empty for a regular file or nothing at
// all. For files the program must read or append to without waiting on a reader.
[[nodiscard]] std::string NonRegularKind(const std::filesystem::path& path);

// The box a load shows for such a refusal: "File not Accessible or not Exist!" and, for a
// file that is there but not regular, a line saying what it is.
[[nodiscard]] std::string NotLoadableText(const std::string& path, const std::string& kind);

} // namespace zav
