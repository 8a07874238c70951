#pragma once

#include <filesystem>
#include <string>
#include <vector>

#include "link/ports_map.h"

namespace zav {

// The program's settings directory: $XDG_CONFIG_HOME/zav, or ~/.config/zav when that
// variable is unset, empty or relative. It need not exist yet.
[[nodiscard]] std::filesystem::path SettingsDirectory();

// The ports map from the file `ports` in the settings directory; an empty map (every
// port on its default device) when the file is missing. When it exists but is no regular
// file of at most 1 MiB or cannot be read, the map has FileError saying so, and no port
// may be opened with it.
[[nodiscard]] PortsMap LoadPortsMap();
[[nodiscard]] PortsMap LoadPortsMap(const std::filesystem::path& file);

// One warning per line of `file` the map could not read or that names a port again, in
// line order, with control characters shown escaped.
[[nodiscard]] std::vector<std::string> PortsMapLineWarnings(const PortsMap& map,
                                                            const std::filesystem::path& file);

} // namespace zav
