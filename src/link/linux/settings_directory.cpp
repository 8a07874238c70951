#include "link/linux/settings_directory.h"

#include <cstdlib>
#include <fstream>
#include <pwd.h>
#include <sstream>
#include <unistd.h>

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
    std::ifstream stream(file, std::ios::binary);
    if (!stream) return {};
    std::ostringstream text;
    text << stream.rdbuf();
    return PortsMap::Parse(text.str());
}

} // namespace zav
