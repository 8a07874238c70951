#include "shell/user_manual.h"

#include <system_error>

namespace zav {

std::optional<std::filesystem::path> FindUserManual(const std::vector<std::filesystem::path>& folders)
{
    for (const auto& folder : folders) {
        const std::filesystem::path candidate = folder / kManualFileName;
        std::error_code error;
        if (std::filesystem::is_regular_file(candidate, error)) return candidate;
    }
    return std::nullopt;
}

std::string UserManualMissingText(const std::vector<std::filesystem::path>& folders)
{
    std::string text = "The user manual ";
    text += kManualFileName;
    text += " was not found. Looked in:";
    for (const auto& folder : folders) {
        text += '\n';
        text += folder.string();
    }
    if (folders.empty()) text += "\n(no folder)";
    return text;
}

std::vector<std::filesystem::path> UserManualFolders(const std::filesystem::path& programFolder,
                                                   const std::filesystem::path& binFolder,
                                                   const std::filesystem::path& docFolder,
                                                   const std::filesystem::path& currentFolder)
{
    std::vector<std::filesystem::path> folders{programFolder};
    // Strip binFolder's parts from the end of the program's folder to reach the prefix.
    std::filesystem::path prefix = programFolder.lexically_normal();
    if (!prefix.has_filename()) prefix = prefix.parent_path();
    std::vector<std::filesystem::path> binParts(binFolder.begin(), binFolder.end());
    bool installed = !binParts.empty();
    for (auto part = binParts.rbegin(); installed && part != binParts.rend(); ++part) {
        installed = prefix.filename() == *part;
        prefix = prefix.parent_path();
    }
    if (installed) folders.push_back(prefix / docFolder);
    if (currentFolder != programFolder) folders.push_back(currentFolder);
    return folders;
}

} // namespace zav
