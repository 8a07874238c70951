#include "files/user_folders.h"

#include <cstdlib>

#include <pwd.h>
#include <unistd.h>

namespace zav {

namespace {

bool IsAbsolute(const char* value)
{
    return value != nullptr && value[0] == '/';
}

} // namespace

std::optional<std::filesystem::path> UserHomeFolder()
{
    if (const char* home = std::getenv("HOME"); IsAbsolute(home)) return std::filesystem::path(home);
    if (const passwd* user = getpwuid(getuid()); user != nullptr && IsAbsolute(user->pw_dir))
        return std::filesystem::path(user->pw_dir);
    return std::nullopt;
}

std::optional<std::filesystem::path> XdgBaseFolder(const char* variable, std::string_view belowHome)
{
    if (const char* value = std::getenv(variable); IsAbsolute(value)) return std::filesystem::path(value);
    const std::optional<std::filesystem::path> home = UserHomeFolder();
    if (!home) return std::nullopt;
    return *home / belowHome;
}

} // namespace zav
