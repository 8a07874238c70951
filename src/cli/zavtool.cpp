#include "cli/zavtool.h"

#include "cli/command_line.h"
#include "cli/usage_text.h"

namespace zav {

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
    switch (command.subcommand) {
    case Subcommand::Devices:
        return RunDevices(command, io);
    case Subcommand::Ports:
        return RunPorts(command, io);
    case Subcommand::Detect:
        return RunDetect(command, io);
    case Subcommand::Convert:
        return RunConvert(command, io);
    case Subcommand::Dump:
        return RunDump(command, io);
    case Subcommand::Export:
        return RunExport(command, io);
    case Subcommand::Read:
        return RunSequence(command, io);
    case Subcommand::Program:
        return IsBatchRun(command) ? RunProgramBatch(command, io) : RunSequence(command, io);
    case Subcommand::BlankCheck:
        return RunSequence(command, io);
    case Subcommand::Compare:
        return RunCompare(command, io);
    case Subcommand::Checksum:
        return RunChecksum(command, io);
    case Subcommand::None:
        break;
    }
    return kExitUsage;
}

} // namespace zav
