#pragma once

#include <filesystem>
#include <optional>
#include <string_view>

namespace zav {

// The user's home folder: $HOME when it is an absolute path, else the home of the user's
// account entry; nothing when neither names one.
[[nodiscard]] std::optional<std::filesystem::path> UserHomeFolder();

// A base folder of the XDG rules: the variable's value when it is an absolute path (a
// relative one is ignored, as the rules say, rather than taken from the working folder),
// else `belowHome` under the user's home; nothing when there is no home either.
//
//     XdgBaseFolder("XDG_DATA_HOME", ".local/share")  // e.g. /home/ann/.local/share
[[nodiscard]] std::optional<std::filesystem::path> XdgBaseFolder(const char* variable,
                                                                 std::string_view belowHome);

} // namespace zav
