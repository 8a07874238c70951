#pragma once

#include <filesystem>

#include "link/ports_map.h"

namespace zav {

// The program's settings directory: $XDG_CONFIG_HOME/zav, or ~/.config/zav when that
// variable is unset or empty. It need not exist yet.
[[nodiscard]] std::filesystem::path SettingsDirectory();

// The ports map from the file `ports` in the settings directory; an empty map (every
// port on its default device) when the file is missing or unreadable, with FileWarning
// saying why when it exists but is no regular file of at most 1 MiB or cannot be read.
[[nodiscard]] PortsMap LoadPortsMap();
[[nodiscard]] PortsMap LoadPortsMap(const std::filesystem::path& file);

} // namespace zav
