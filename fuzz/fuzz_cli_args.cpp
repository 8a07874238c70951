// zavtool's argument parser: the input is a command line, its arguments separated by zero
// bytes. Whatever it is, the parser must come back with a command or a one-line reason, and
// the usage for it must be printable.
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string>
#include <vector>

#include "cli/command_line.h"
#include "cli/usage_text.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    std::vector<std::string> arguments(1);
    for (std::size_t i = 0; i < size; ++i) {
        if (data[i] == 0) {
            arguments.emplace_back();
        } else {
            arguments.back().push_back(static_cast<char>(data[i]));
        }
    }
    const zav::ParsedCommandLine parsed = zav::ParseCommandLine(arguments);
    if (!parsed.Ok() && parsed.error.find('\n') != std::string::npos) std::abort();
    const zav::CommandLine& command = parsed.command;
    if (parsed.Ok() && command.loadRange && command.loadRange->low > command.loadRange->high) std::abort();
    if (parsed.Ok() && command.range && command.range->high > 0xFFFF) std::abort();
    (void)zav::UsageText(command.subcommand);
    (void)zav::HelpText(command.subcommand);
    return 0;
}
