#pragma once

#include <string>
#include <vector>

#include "cli/commands.h"

namespace zav {

// The whole tool: parses the arguments after the program name, prints help or a usage
// error, or runs the subcommand. Returns the exit status.
[[nodiscard]] int RunZavtool(const std::vector<std::string>& arguments, ToolIo& io);

} // namespace zav
