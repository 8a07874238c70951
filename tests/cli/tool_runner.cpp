#include "tool_runner.h"

#include <cerrno>
#include <chrono>
#include <cstdlib>
#include <fstream>
#include <iterator>
#include <sstream>
#include <stdexcept>
#include <thread>

#include <fcntl.h>
#include <poll.h>
#include <pty.h>
#include <spawn.h>
#include <sys/wait.h>
#include <unistd.h>

extern char** environ;

namespace zav::testing {

namespace {

// Longer than any run should take, even under the sanitizers; a hung tool fails the test
// instead of the whole suite.
constexpr auto kRunLimit = std::chrono::seconds(120);

std::vector<std::string> ToolEnvironment(const std::filesystem::path& configDirectory)
{
    std::vector<std::string> environment;
    for (char** variable = environ; *variable != nullptr; ++variable) {
        const std::string entry = *variable;
        if (entry.rfind("XDG_CONFIG_HOME=", 0) != 0 && entry.rfind("XDG_STATE_HOME=", 0) != 0 &&
            entry.rfind("XDG_DATA_HOME=", 0) != 0 &&
            entry.rfind("HOME=", 0) != 0)
            environment.push_back(entry);
    }
    environment.push_back("XDG_CONFIG_HOME=" + configDirectory.string());
    environment.push_back("XDG_STATE_HOME=" + (configDirectory / "state").string());
    environment.push_back("HOME=" + configDirectory.string());
    // Where the program sequences keep their backups.
    environment.push_back("XDG_DATA_HOME=" + (configDirectory / "share").string());
    return environment;
}

std::vector<char*> Pointers(std::vector<std::string>& texts)
{
    std::vector<char*> pointers;
    for (std::string& text : texts) pointers.push_back(text.data());
    pointers.push_back(nullptr);
    return pointers;
}

} // namespace

ToolRunner::ToolRunner(std::filesystem::path configDirectory) : configDirectory_(std::move(configDirectory))
{
}

ToolRun ToolRunner::Run(const std::vector<std::string>& arguments) const
{
    return RunAndSignal(arguments, {}, 0);
}

ToolRun ToolRunner::RunAndSignal(const std::vector<std::string>& arguments, const std::string& signalAfter,
                                 int signal, const ToolStreams& streams) const
{
    int outPipe[2];
    int errPipe[2];
    int inPipe[2] = {-1, -1};
    if (pipe2(outPipe, O_CLOEXEC) != 0 || pipe2(errPipe, O_CLOEXEC) != 0) throw std::runtime_error("pipe");
    if (streams.input && pipe2(inPipe, O_CLOEXEC) != 0) throw std::runtime_error("pipe");

    posix_spawn_file_actions_t actions;
    posix_spawn_file_actions_init(&actions);
    if (streams.input) {
        posix_spawn_file_actions_adddup2(&actions, inPipe[0], STDIN_FILENO);
    } else {
        posix_spawn_file_actions_addopen(&actions, STDIN_FILENO, "/dev/null", O_RDONLY, 0);
    }
    if (streams.outputFile) {
        posix_spawn_file_actions_addopen(&actions, STDOUT_FILENO, streams.outputFile->c_str(), O_WRONLY, 0);
    } else {
        posix_spawn_file_actions_adddup2(&actions, outPipe[1], STDOUT_FILENO);
    }
    posix_spawn_file_actions_adddup2(&actions, errPipe[1], STDERR_FILENO);
    // A session of its own leaves the tool without a controlling terminal, wherever the
    // tests themselves run.
    posix_spawnattr_t attributes;
    posix_spawnattr_init(&attributes);
    posix_spawnattr_setflags(&attributes, POSIX_SPAWN_SETSID);

    std::vector<std::string> argumentTexts{ZAVTOOL_PATH};
    argumentTexts.insert(argumentTexts.end(), arguments.begin(), arguments.end());
    std::vector<std::string> environmentTexts = ToolEnvironment(configDirectory_);
    std::vector<char*> argv = Pointers(argumentTexts);
    std::vector<char*> envp = Pointers(environmentTexts);

    pid_t pid = 0;
    const int spawned = posix_spawn(&pid, ZAVTOOL_PATH, &actions, &attributes, argv.data(), envp.data());
    posix_spawn_file_actions_destroy(&actions);
    posix_spawnattr_destroy(&attributes);
    close(outPipe[1]);
    close(errPipe[1]);
    if (streams.input) close(inPipe[0]);
    if (spawned != 0) throw std::runtime_error("cannot start " + std::string(ZAVTOOL_PATH));
    // The input goes in from a thread of its own, so a tool that writes before it has read
    // everything cannot block the test.
    std::thread feeder;
    if (streams.input) {
        feeder = std::thread([fd = inPipe[1], input = *streams.input] {
            std::size_t written = 0;
            while (written < input.size()) {
                const ssize_t got = write(fd, input.data() + written, input.size() - written);
                if (got <= 0 && errno != EINTR) break;
                if (got > 0) written += static_cast<std::size_t>(got);
            }
            close(fd);
        });
    }

    ToolRun run;
    bool signalled = signalAfter.empty();
    const auto deadline = std::chrono::steady_clock::now() + kRunLimit;
    pollfd fds[2] = {{outPipe[0], POLLIN, 0}, {errPipe[0], POLLIN, 0}};
    int open = 2;
    while (open > 0) {
        if (std::chrono::steady_clock::now() > deadline) {
            kill(pid, SIGKILL);
            run.err += "\n[test: killed after the time limit]";
            break;
        }
        if (poll(fds, 2, 100) < 0 && errno != EINTR) break;
        for (int i = 0; i < 2; ++i) {
            if (fds[i].fd < 0 || fds[i].revents == 0) continue;
            char chunk[4096];
            const ssize_t got = read(fds[i].fd, chunk, sizeof chunk);
            if (got <= 0) {
                close(fds[i].fd);
                fds[i].fd = -1;
                --open;
                continue;
            }
            (i == 0 ? run.out : run.err).append(chunk, static_cast<std::size_t>(got));
        }
        if (!signalled && run.err.find(signalAfter) != std::string::npos) {
            kill(pid, signal);
            signalled = true;
        }
    }
    for (const pollfd& fd : fds) {
        if (fd.fd >= 0) close(fd.fd);
    }
    int status = 0;
    waitpid(pid, &status, 0);
    if (feeder.joinable()) feeder.join();
    run.exitStatus = WIFEXITED(status) ? WEXITSTATUS(status) : 128 + WTERMSIG(status);
    return run;
}

ToolRun ToolRunner::RunOnTerminal(const std::vector<std::string>& arguments,
                                  const std::vector<std::pair<std::string, std::string>>& replies,
                                  bool redirected) const
{
    const std::string streamsFile = (configDirectory_ / "terminal-run-streams").string();
    std::vector<std::string> argumentTexts{ZAVTOOL_PATH};
    argumentTexts.insert(argumentTexts.end(), arguments.begin(), arguments.end());
    std::vector<std::string> environmentTexts = ToolEnvironment(configDirectory_);
    std::vector<char*> argv = Pointers(argumentTexts);
    std::vector<char*> envp = Pointers(environmentTexts);

    int terminal = -1;
    const pid_t pid = forkpty(&terminal, nullptr, nullptr, nullptr);
    if (pid < 0) throw std::runtime_error("forkpty");
    if (pid == 0) {
        if (redirected) {
            // One descriptor keeps the terminal open, as a shell's would; without any the
            // test's side sees it closed.
            if (dup(STDIN_FILENO) < 0) _exit(127);
            const int nothing = open("/dev/null", O_RDONLY);
            const int streams = open(streamsFile.c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0600);
            if (nothing < 0 || streams < 0) _exit(127);
            dup2(nothing, STDIN_FILENO);
            dup2(streams, STDOUT_FILENO);
            dup2(streams, STDERR_FILENO);
        }
        execve(ZAVTOOL_PATH, argv.data(), envp.data());
        _exit(127);
    }

    ToolRun run;
    std::size_t answered = 0;
    std::size_t searchFrom = 0;
    const auto deadline = std::chrono::steady_clock::now() + kRunLimit;
    for (;;) {
        if (std::chrono::steady_clock::now() > deadline) {
            kill(pid, SIGKILL);
            run.out += "\n[test: killed after the time limit]";
            break;
        }
        pollfd fd{terminal, POLLIN, 0};
        if (poll(&fd, 1, 100) <= 0) continue;
        char chunk[4096];
        const ssize_t got = read(terminal, chunk, sizeof chunk);
        // The terminal reports an error once the tool has closed its side.
        if (got <= 0) break;
        run.out.append(chunk, static_cast<std::size_t>(got));
        if (answered < replies.size()) {
            const std::size_t prompt = run.out.find(replies[answered].first, searchFrom);
            if (prompt != std::string::npos) {
                const std::string& answer = replies[answered].second;
                if (write(terminal, answer.data(), answer.size()) < 0) break;
                searchFrom = prompt + replies[answered].first.size();
                ++answered;
            }
        }
    }
    close(terminal);
    int status = 0;
    waitpid(pid, &status, 0);
    run.exitStatus = WIFEXITED(status) ? WEXITSTATUS(status) : 128 + WTERMSIG(status);
    if (redirected) {
        run.err = ReadFile(streamsFile);
        std::filesystem::remove(streamsFile);
    }
    return run;
}

TemporaryFolder::TemporaryFolder()
{
    std::string pattern = (std::filesystem::temp_directory_path() / "zavtool-test-XXXXXX").string();
    if (mkdtemp(pattern.data()) == nullptr) throw std::runtime_error("mkdtemp");
    path_ = pattern;
}

TemporaryFolder::~TemporaryFolder()
{
    std::error_code ignored;
    std::filesystem::remove_all(path_, ignored);
}

void WriteFile(const std::string& path, const std::string& content)
{
    std::ofstream file(path, std::ios::binary);
    file << content;
}

std::string ReadFile(const std::string& path)
{
    std::ifstream file(path, std::ios::binary);
    return {std::istreambuf_iterator<char>(file), std::istreambuf_iterator<char>()};
}

} // namespace zav::testing
