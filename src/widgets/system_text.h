#pragma once

#include <QString>

#include <string>

namespace zav {

// Paths, and the texts that carry them (status lines, message boxes, the system's reasons),
// are in the system's own encoding (UTF-8 here), not in the Latin-1 of buffer texts: a name
// chosen in a file dialog reaches the file system, the recent files and the settings file
// byte for byte, and comes back as the same characters.
[[nodiscard]] std::string ToSystemPath(const QString& path);
[[nodiscard]] QString FromSystemPath(const std::string& path);
// A status line or a box text: the program's own words with paths and reasons in them.
[[nodiscard]] QString FromSystemText(const std::string& text);
[[nodiscard]] std::string ToSystemText(const QString& text);

} // namespace zav
