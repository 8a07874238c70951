#pragma once

#include <filesystem>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace zav {

inline constexpr std::string_view kManualFileName = "ridirirodo.pdf";

// The user manual in the first of `folders` that holds it (the program's own folder, the
// installed documentation, the current folder, in the caller's order).
[[nodiscard]] std::optional<std::filesystem::path> FindUserManual(const std::vector<std::filesystem::path>& folders);

// What F1 says when no folder holds the manual: its file name and every folder looked in,
// one a line, so the user can see where an install went wrong.
[[nodiscard]] std::string UserManualMissingText(const std::vector<std::filesystem::path>& folders);

// Where F1 looks for the manual, in order: the program's own folder (a build tree keeps it
// there), the installed documentation folder, the current folder. The installed folder is
// found from the program's folder: a program in <prefix>/`binFolder` has its manual in
// <prefix>/`docFolder` (both relative, as the install put them), wherever the prefix is.
[[nodiscard]] std::vector<std::filesystem::path> UserManualFolders(const std::filesystem::path& programFolder,
                                                                   const std::filesystem::path& binFolder,
                                                                   const std::filesystem::path& docFolder,
                                                                   const std::filesystem::path& currentFolder);

} // namespace zav
