#include "cli/controlling_terminal.h"

#include <cerrno>

#include <fcntl.h>
#include <poll.h>
#include <termios.h>
#include <unistd.h>

namespace zav {

ControllingTerminal::ControllingTerminal()
{
    fd_ = open("/dev/tty", O_RDWR | O_NOCTTY | O_CLOEXEC);
    if (fd_ < 0) return;
    // The error output is this terminal when it is the terminal that controls our session.
    const pid_t session = getsid(0);
    showsErrorOutput_ = isatty(STDERR_FILENO) == 1 && session >= 0 && tcgetsid(STDERR_FILENO) == session;
}

ControllingTerminal::~ControllingTerminal()
{
    if (fd_ >= 0) close(fd_);
}

void ControllingTerminal::Write(const std::string& text)
{
    if (fd_ < 0) return;
    std::size_t written = 0;
    while (written < text.size()) {
        const ssize_t got = write(fd_, text.data() + written, text.size() - written);
        if (got < 0 && errno == EINTR) continue;
        if (got <= 0) return;
        written += static_cast<std::size_t>(got);
    }
}

std::optional<std::string> ControllingTerminal::ReadLine()
{
    constexpr int kPollMs = 50;
    if (fd_ < 0) return std::nullopt;
    std::string line;
    for (;;) {
        if (stop_ != nullptr && stop_->load()) return std::nullopt;
        pollfd input{fd_, POLLIN, 0};
        const int ready = poll(&input, 1, kPollMs);
        if (ready < 0 && errno != EINTR) return std::nullopt;
        if (ready <= 0) continue;
        char c = 0;
        const ssize_t got = read(fd_, &c, 1);
        if (got < 0 && errno == EINTR) continue;
        if (got <= 0) return line.empty() ? std::nullopt : std::optional<std::string>(line);
        if (c == '\n') return line;
        line.push_back(c);
    }
}

} // namespace zav
