#include <cerrno>
#include <cstring>
#include <iostream>
#include <string>
#include <vector>

#include <unistd.h>

#include "cli/controlling_terminal.h"
#include "cli/zavtool.h"

int main(int argc, char** argv)
{
    std::ios::sync_with_stdio(false);
    const std::vector<std::string> arguments(argv + 1, argv + argc);
    zav::ControllingTerminal terminal;
    zav::ToolIo io{std::cout, std::cerr, terminal, isatty(STDERR_FILENO) == 1};
    const int status = zav::RunZavtool(arguments, io);
    errno = 0;
    std::cout.flush();
    if (std::cout) return status;
    if (status != zav::kExitDone) return status;
    // Data that did not arrive is a failure, never a quiet exit 0 (a full disk, a closed pipe
    // whose signal is ignored).
    std::cerr << "error: cannot write to standard output: "
              << (errno != 0 ? std::strerror(errno) : "the write failed") << '\n';
    return zav::kExitFailed;
}
