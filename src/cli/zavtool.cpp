#include "cli/zavtool.h"

#include <array>
#include <utility>

#include "cli/command_line.h"
#include "cli/usage_text.h"

namespace zav {

namespace {

using Runner = int (*)(const CommandLine&, ToolIo&);

int RunProgram(const CommandLine& command, ToolIo& io)
{
    return IsBatchRun(command) ? RunProgramBatch(command, io) : RunSequence(command, io);
}

// What each subcommand runs.
constexpr std::array<std::pair<Subcommand, Runner>, 11> kRunners = {{
    {Subcommand::Devices, RunDevices},
    {Subcommand::Ports, RunPorts},
    {Subcommand::Detect, RunDetect},
    {Subcommand::Convert, RunConvert},
    {Subcommand::Dump, RunDump},
    {Subcommand::Export, RunExport},
    {Subcommand::Read, RunSequence},
    {Subcommand::Program, RunProgram},
    {Subcommand::BlankCheck, RunSequence},
    {Subcommand::Compare, RunCompare},
    {Subcommand::Checksum, RunChecksum},
}};

} // namespace

int RunZavtool(const std::vector<std::string>& arguments, ToolIo& io)
{
    const ParsedCommandLine parsed = ParseCommandLine(arguments);
    const CommandLine& command = parsed.command;
    if (command.help) {
        io.out << HelpText(command.subcommand);
        return kExitDone;
    }
    if (!parsed.Ok()) {
        io.err << "zavtool: " << parsed.error << '\n' << UsageText(command.subcommand);
        return kExitUsage;
    }
    if (command.version) {
        io.out << "zavtool " << ZAV_VERSION << '\n';
        return kExitDone;
    }
    for (const auto& [subcommand, run] : kRunners) {
        if (subcommand == command.subcommand) return run(command, io);
    }
    return kExitUsage;
}

} // namespace zav
