// zavtool programming one part on each of N simulated boards at once, on the wall clock
// (--simulate=realtime), with the tool's own run: one worker and link per port, one thread
// draining their hand-over queue.
//
// Reported per device and N (Arg):
//   wall time       the whole run, from loading the file to the summary, with the backup
//                   each part gets before its write;
//   ratio_to_one    this N's wall time over the device's one-board run's (goal: at most 1.15
//                   for three boards: they run side by side, not one after the other).
// The devices: the serial-port MC68HC05L28, and the parallel-port MC68HC05B6 and MC68HC11E9,
// whose links wait on the board's ready line (sleeping between polls, so N boards do not
// need N free processor cores).
#include <benchmark/benchmark.h>

#include <chrono>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <map>
#include <optional>
#include <sstream>
#include <string>
#include <utility>
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

std::map<std::string, double> g_oneBoardSeconds;

void BM_ProgramBoardsAtOnce(benchmark::State& state, const std::string& device, const std::string& portKind)
{
    const auto folder = std::filesystem::temp_directory_path() / "zav-bench-batch";
    std::filesystem::create_directories(folder);
    setenv("XDG_CONFIG_HOME", folder.c_str(), 1);
    setenv("XDG_STATE_HOME", folder.c_str(), 1);
    setenv("XDG_DATA_HOME", folder.c_str(), 1);
    const std::string input = (folder / "part.bin").string();
    std::ofstream(input, std::ios::binary) << std::string(0x10000, '\x5A');
    std::string ports;
    for (int port = 1; port <= state.range(0); ++port)
        ports += (port > 1 ? "," : "") + portKind + std::to_string(port);
    const std::vector<std::string> arguments{"program",
                                             "--device",
                                             device,
                                             "--in",
                                             input,
                                             "--erase",
                                             "--program",
                                             "--verify",
                                             "--yes",
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
    if (state.range(0) == 1) g_oneBoardSeconds[device] = seconds;
    if (g_oneBoardSeconds[device] > 0) state.counters["ratio_to_one"] = seconds / g_oneBoardSeconds[device];
    std::filesystem::remove_all(folder);
}
// Each device with one board, then three.
const bool g_registered = [] {
    const std::pair<const char*, const char*> devices[] = {
        {"MC68HC05B6", "LPT"}, {"MC68HC05L28", "COM"}, {"MC68HC11E9", "LPT"}};
    for (const auto& [device, portKind] : devices) {
        benchmark::RegisterBenchmark((std::string("BM_ProgramBoardsAtOnce/") + device).c_str(),
                                     BM_ProgramBoardsAtOnce, std::string(device), std::string(portKind))
            ->Arg(1)
            ->Arg(3)
            ->UseManualTime()
            ->Unit(benchmark::kSecond)
            ->Iterations(1);
    }
    return true;
}();

} // namespace
} // namespace zav

BENCHMARK_MAIN();
