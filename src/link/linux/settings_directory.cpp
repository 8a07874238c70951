#include "link/linux/settings_directory.h"

#include <cstdlib>
#include <optional>
#include <pwd.h>
#include <unistd.h>

#include "files/small_file_reader.h"

namespace zav {

namespace {

std::filesystem::path HomeDirectory()
{
    if (const char* home = std::getenv("HOME"); home != nullptr && *home != '\0') return home;
    if (const passwd* user = getpwuid(getuid()); user != nullptr && user->pw_dir != nullptr)
        return user->pw_dir;
    return std::filesystem::current_path();
}

} // namespace

std::filesystem::path SettingsDirectory()
{
    if (const char* config = std::getenv("XDG_CONFIG_HOME"); config != nullptr && *config != '\0') {
        return std::filesystem::path(config) / "zav";
    }
    return HomeDirectory() / ".config" / "zav";
}

PortsMap LoadPortsMap()
{
    return LoadPortsMap(SettingsDirectory() / "ports");
}

PortsMap LoadPortsMap(const std::filesystem::path& file)
{
    std::string problem;
    const std::optional<std::string> text = ReadSmallRegularFile(file, problem);
    if (text) return PortsMap::Parse(*text);
    PortsMap defaults;
    if (!problem.empty()) {
        defaults.SetFileWarning(file.string() + " is not read: " + problem +
                                "; every port is on its default device.");
    }
    return defaults;
}

} // namespace zav
