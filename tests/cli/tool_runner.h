#pragma once

#include <csignal>
#include <filesystem>
#include <optional>
#include <string>
#include <utility>
#include <vector>

namespace zav::testing {

// Where a run's standard streams come from and go to, beyond the usual pipes.
struct ToolStreams {
    // Written to the tool's standard input through a pipe (none: /dev/null).
    std::optional<std::string> input;
    // A file standard output is opened on (/dev/full, say) instead of a pipe.
    std::optional<std::string> outputFile;
};

// What one run of the built zavtool did.
struct ToolRun {
    int exitStatus = -1;
    std::string out;
    std::string err;
};

// Runs zavtool as a whole process in a session of its own, without a controlling terminal
// (as cron or a CI job runs it), with standard input from /dev/null, and collects its
// output. Every run gets its own settings directory (`configDirectory`, with the state
// folder under it as "state"), so the user's files never take part. With `signalAfter` set, `signal` is sent as soon as that text has
// appeared on its error output, as a user's Ctrl-C would be.
class ToolRunner {
public:
    explicit ToolRunner(std::filesystem::path configDirectory);
    [[nodiscard]] ToolRun Run(const std::vector<std::string>& arguments) const;
    [[nodiscard]] ToolRun RunAndSignal(const std::vector<std::string>& arguments,
                                       const std::string& signalAfter, int signal = SIGINT,
                                       const ToolStreams& streams = {}) const;
    [[nodiscard]] ToolRun RunWith(const std::vector<std::string>& arguments, const ToolStreams& streams) const
    {
        return RunAndSignal(arguments, {}, 0, streams);
    }
    // Runs zavtool on a pseudo-terminal, as a person at a keyboard would: each time the next
    // prompt of `replies` (first) has appeared on the terminal, its answer (second) is typed.
    // Standard output and error both arrive in `out`; with `redirected`, the tool's standard
    // input is /dev/null and its output and error go to `err` instead, as in a script run
    // from a terminal, and only what it puts on the terminal itself arrives in `out`.
    [[nodiscard]] ToolRun RunOnTerminal(const std::vector<std::string>& arguments,
                                        const std::vector<std::pair<std::string, std::string>>& replies,
                                        bool redirected = false) const;

private:
    std::filesystem::path configDirectory_;
};

// A fresh, empty folder under the system's temporary folder, removed on destruction.
class TemporaryFolder {
public:
    TemporaryFolder();
    TemporaryFolder(const TemporaryFolder&) = delete;
    TemporaryFolder& operator=(const TemporaryFolder&) = delete;
    ~TemporaryFolder();
    [[nodiscard]] const std::filesystem::path& Path() const { return path_; }
    // A path inside the folder, as text for a command line.
    [[nodiscard]] std::string File(const std::string& name) const { return (path_ / name).string(); }

private:
    std::filesystem::path path_;
};

void WriteFile(const std::string& path, const std::string& content);
[[nodiscard]] std::string ReadFile(const std::string& path);

} // namespace zav::testing
