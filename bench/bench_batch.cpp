// zavtool programming one part on each of N simulated boards at once, on the wall clock
// (--simulate=realtime), with the tool's own run: one worker and link per port, one thread
// draining their hand-over queue.
//
// Reported per N (Arg):
//   wall time       the whole run, from loading the file to the summary;
//   ratio_to_one    this N's wall time over the one-board run's (goal: at most 1.15 for
//                   three boards: they run side by side, not one after the other).
// The device is the serial-port MC68HC05L28, whose link waits by sleeping; a parallel
// board's link polls its ready line, so N of them need N free processor cores.
#include <benchmark/benchmark.h>

#include <chrono>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <optional>
#include <sstream>
#include <string>
#include <vector>

#include "cli/commands.h"
#include "cli/terminal.h"
#include "cli/zavtool.h"

namespace zav {
namespace {

// A run without anybody at a terminal, as on a part feeder.
class NoTerminal final : public Terminal {
public:
    [[nodiscard]] bool IsInteractive() const override { return false; }
    [[nodiscard]] bool ShowsErrorOutput() const override { return false; }
    void Write(const std::string&) override {}
    [[nodiscard]] std::optional<std::string> ReadLine() override { return std::nullopt; }
    void SetStopFlag(const std::atomic<bool>*) override {}
};

double g_oneBoardSeconds = 0;

void BM_ProgramBoardsAtOnce(benchmark::State& state)
{
    const auto folder = std::filesystem::temp_directory_path() / "zav-bench-batch";
    std::filesystem::create_directories(folder);
    setenv("XDG_CONFIG_HOME", folder.c_str(), 1);
    setenv("XDG_STATE_HOME", folder.c_str(), 1);
    const std::string input = (folder / "part.bin").string();
    std::ofstream(input, std::ios::binary) << std::string(0x10000, '\x5A');
    std::string ports;
    for (int port = 1; port <= state.range(0); ++port)
        ports += (port > 1 ? ",COM" : "COM") + std::to_string(port);
    const std::vector<std::string> arguments{"program",
                                             "--device",
                                             "MC68HC05L28",
                                             "--in",
                                             input,
                                             "--erase",
                                             "--program",
                                             "--verify",
                                             "--port",
                                             ports,
                                             "--count",
                                             std::to_string(state.range(0)),
                                             "--simulate=realtime"};
    double seconds = 0;
    for (auto _ : state) {
        std::ostringstream out;
        std::ostringstream err;
        NoTerminal terminal;
        ToolIo io{out, err, terminal, false};
        const auto start = std::chrono::steady_clock::now();
        const int status = RunZavtool(arguments, io);
        seconds = std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
        state.SetIterationTime(seconds);
        if (status != kExitDone) state.SkipWithError(err.str().c_str());
    }
    if (state.range(0) == 1) g_oneBoardSeconds = seconds;
    if (g_oneBoardSeconds > 0) state.counters["ratio_to_one"] = seconds / g_oneBoardSeconds;
    std::filesystem::remove_all(folder);
}
BENCHMARK(BM_ProgramBoardsAtOnce)->Arg(1)->Arg(3)->UseManualTime()->Unit(benchmark::kSecond)->Iterations(1);

} // namespace
} // namespace zav

BENCHMARK_MAIN();
