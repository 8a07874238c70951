#pragma once

#include <string>

#include "cli/command_line.h"

namespace zav {

// The synopsis printed after a usage error: the subcommand's own line(s), or every
// subcommand's for None.
[[nodiscard]] std::string UsageText(Subcommand subcommand);

// What --help prints: the synopsis and what each option does.
[[nodiscard]] std::string HelpText(Subcommand subcommand);

} // namespace zav
