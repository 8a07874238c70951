#include "cli/stdin_terminal.h"

#include <cerrno>

#include <poll.h>
#include <unistd.h>

namespace zav {

StdinTerminal::StdinTerminal() : interactive_(isatty(STDIN_FILENO) == 1 && isatty(STDERR_FILENO) == 1) {}

std::optional<std::string> StdinTerminal::ReadLine()
{
    constexpr int kPollMs = 50;
    std::string line;
    for (;;) {
        if (stop_ != nullptr && stop_->load()) return std::nullopt;
        pollfd input{STDIN_FILENO, POLLIN, 0};
        const int ready = poll(&input, 1, kPollMs);
        if (ready < 0 && errno != EINTR) return std::nullopt;
        if (ready <= 0) continue;
        char c = 0;
        const ssize_t got = read(STDIN_FILENO, &c, 1);
        if (got < 0 && errno == EINTR) continue;
        if (got <= 0) return line.empty() ? std::nullopt : std::optional<std::string>(line);
        if (c == '\n') return line;
        line.push_back(c);
    }
}

} // namespace zav
