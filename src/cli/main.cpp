#include <iostream>
#include <string>
#include <vector>

#include "cli/stdin_terminal.h"
#include "cli/zavtool.h"

int main(int argc, char** argv)
{
    std::ios::sync_with_stdio(false);
    const std::vector<std::string> arguments(argv + 1, argv + argc);
    zav::StdinTerminal terminal;
    zav::ToolIo io{std::cout, std::cerr, terminal};
    const int status = zav::RunZavtool(arguments, io);
    std::cout.flush();
    return std::cout ? status : zav::kExitFailed;
}
