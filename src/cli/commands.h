#pragma once

#include <ostream>

namespace zav {

struct CommandLine;
class Terminal;

// Where a command writes: its data to `out`, its status lines and boxes to `err`.
struct ToolIo {
    std::ostream& out;
    std::ostream& err;
    Terminal& terminal;
    // Whether `err` is a terminal, which then shows progress bars.
    bool errIsTerminal = false;
};

// Exit statuses: done without an Error line, anything else, and a usage error.
inline constexpr int kExitDone = 0;
inline constexpr int kExitFailed = 1;
inline constexpr int kExitUsage = 2;

// One function per subcommand; each returns its exit status. The command line has been
// checked by ParseCommandLine.
[[nodiscard]] int RunDevices(const CommandLine& command, ToolIo& io);
[[nodiscard]] int RunPorts(const CommandLine& command, ToolIo& io);
[[nodiscard]] int RunDetect(const CommandLine& command, ToolIo& io);
[[nodiscard]] int RunConvert(const CommandLine& command, ToolIo& io);
[[nodiscard]] int RunDump(const CommandLine& command, ToolIo& io);
[[nodiscard]] int RunExport(const CommandLine& command, ToolIo& io);
[[nodiscard]] int RunSequence(const CommandLine& command, ToolIo& io);
// program with a serial number, a log, many parts or several boards (batch_run.cpp).
[[nodiscard]] bool IsBatchRun(const CommandLine& command);
[[nodiscard]] int RunProgramBatch(const CommandLine& command, ToolIo& io);
[[nodiscard]] int RunCompare(const CommandLine& command, ToolIo& io);
[[nodiscard]] int RunChecksum(const CommandLine& command, ToolIo& io);

} // namespace zav
