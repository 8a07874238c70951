// A full MC68HC11E9 erase, program and verify on the simulated board, on virtual time,
// through the real hand-over queue (this thread plays the user interface and drains it).
//
// Reported per iteration:
//   cpu_us_per_cell   CPU time of the whole process per cell operation (512 erase, 512
//                     program, 512 verify, 2 CONFIG writes), less the CPU time the simulated
//                     board spends on the same port accesses (measured by replaying them,
//                     board_us_per_cell); goal: at most 5 us.
//   virtual_ms        the sequence's duration on the virtual clock;
//   waits_ms          the waits the link performed (sum of its sleeps);
//   mandated_ms       the waits the sequence must make: reset 1 + 1 + 1500, erase command
//                     30, and 30 after each of the 1026 writes; goal: equal to waits_ms,
//                     virtual_ms exceeding it only by port_accesses x 1 us of port time.
//
// BM_RealTimeProgramVerify/DEVICE runs a program + verify on the simulated board on the wall
// clock (each run takes as long as its waits, 8 to 40 s; leave them out with
// --benchmark_filter=-RealTime). Reported:
//   real_over_waits   wall time of the sequence over the waits the link makes (the same
//                     sequence on virtual time sums them, waits_ms); goal: at most 1.003;
//   cpu_us_per_cell   CPU time of the whole process per cell programmed or verified;
//   overrun_us        how late the link's waits ended, on average (never early: a wait
//                     ending before its time fails the run);
//   between_ms        wall time outside the link's waits: clocking bytes out and in, the
//                     simulated board's work, the sequence's own;
//   wait_cpu_us       CPU time the worker spent inside one wait, on average (the spin
//                     over the last stretch before each deadline).
// Without real-time priority the figures follow the machine's load; `chrt -f 20` shows
// what the waits can reach.
#include <benchmark/benchmark.h>

#include <algorithm>
#include <atomic>
#include <chrono>
#include <ctime>
#include <optional>
#include <set>
#include <string>
#include <vector>

#include "boardsim/simulated_board.h"
#include "buffer/memory_buffer.h"
#include "devices/device_catalogue.h"
#include "sequences/buffer_sequence_host.h"
#include "sequences/program_sequence_control.h"
#include "sequences/shared_ports_link_factory.h"
#include "threads/hand_over_queue.h"

namespace zav {
namespace {

constexpr int kCellOperations = 3 * 512 + 2;
constexpr std::int64_t kMandatedMs = 1 + 1 + 1500 + 30 + 1026 * 30;

double CpuSeconds(clockid_t clock)
{
    timespec now{};
    clock_gettime(clock, &now);
    return static_cast<double>(now.tv_sec) + static_cast<double>(now.tv_nsec) * 1e-9;
}

// The main window, reduced to what the program sequence asks of it.
class BenchHost final : public BufferSequenceHost {
public:
    explicit BenchHost(std::string device = "MC68HC11E9") : BufferSequenceHost(buffer), device_(std::move(device))
    {
        for (std::int32_t a = 0; a <= 0xFFFF; ++a) buffer.SetByte(a, static_cast<std::uint8_t>(a * 13 + 7));
    }
    void AddStatusMessage(const std::string& text, StatusKind) override { lastLine = text; }
    BoxAnswer Show(const BoxRequest&) override { return BoxAnswer::Yes; }
    bool PortIdle() override { return portIdle; }
    void SetPortIdle(bool idle) override { portIdle = idle; }
    void SetProgressMaximum(int maximum) override { progressMaximum = maximum; }
    void SetProgressPosition(int position) override { progressPosition = position; }
    int ProgressPosition() override { return progressPosition; }
    void PutStartButtonUp(SequenceKind) override {}
    bool IsOptionDown(SequenceOption option) override { return options.count(option) != 0; }
    std::string DeviceIdText() override { return device_; }
    ProgramSettings GetProgramSettings() override { return {}; }
    void Beep() override {}

    MemoryBuffer buffer;
    std::set<SequenceOption> options{SequenceOption::Erase, SequenceOption::Program, SequenceOption::Verify};
    std::string lastLine;
    bool portIdle = true;
    int progressMaximum = 0;
    int progressPosition = 0;

private:
    std::string device_;
};

struct PortAccessRecord {
    std::uint16_t address;
    std::uint8_t value;
    bool write;
};

// Forwards to the simulated board and keeps the trace of accesses for the replay.
class TracingPort final : public ParallelPortIo {
public:
    explicit TracingPort(ParallelPortIo& inner) : inner_(inner) { trace.reserve(1 << 21); }
    std::uint16_t BaseAddress(int portNumber) override { return inner_.BaseAddress(portNumber); }
    bool Claim(int portNumber) override { return inner_.Claim(portNumber); }
    void Release(int portNumber) override { inner_.Release(portNumber); }
    std::uint8_t Read(std::uint16_t address) override
    {
        trace.push_back({address, 0, false});
        return inner_.Read(address);
    }
    void Write(std::uint16_t address, std::uint8_t value) override
    {
        trace.push_back({address, value, true});
        inner_.Write(address, value);
    }
    bool ReadsControlLines(int portNumber) override { return inner_.ReadsControlLines(portNumber); }
    int SlowClockTest() override { return inner_.SlowClockTest(); }
    std::string FailureCause() const override { return inner_.FailureCause(); }

    std::vector<PortAccessRecord> trace;

private:
    ParallelPortIo& inner_;
};

BoardSimOptions E9Board()
{
    BoardSimOptions options;
    options.boardCode = 4;
    return options;
}

// CPU seconds the simulated board needs for the accesses alone.
double ReplaySeconds(const std::vector<PortAccessRecord>& trace)
{
    SimulatedBoard board(E9Board());
    ParallelPortIo& port = board.Parallel();
    (void)port.Claim(1);
    unsigned sink = 0;
    const double start = CpuSeconds(CLOCK_THREAD_CPUTIME_ID);
    for (const PortAccessRecord& access : trace) {
        if (access.write) {
            port.Write(access.address, access.value);
        } else {
            sink += port.Read(access.address);
        }
    }
    const double seconds = CpuSeconds(CLOCK_THREAD_CPUTIME_ID) - start;
    benchmark::DoNotOptimize(sink);
    port.Release(1);
    return seconds;
}

struct SequenceRun {
    double cpuSeconds = 0;
    std::int64_t virtualUs = 0;
    std::int64_t sleptMs = 0;
    std::string lastLine;
};

// One whole sequence; with `trace` given, its port accesses are recorded there.
SequenceRun RunSequence(std::vector<PortAccessRecord>* trace = nullptr)
{
    BenchHost host;
    const auto queue = HandOverQueue::Create();
    SimulatedBoard board(E9Board());
    std::optional<TracingPort> tracing;
    if (trace) tracing.emplace(board.Parallel());
    ParallelPortIo& port = tracing ? static_cast<ParallelPortIo&>(*tracing) : board.Parallel();
    SharedPortsLinkFactory links(PortAccess{&port, nullptr, &board.BoardClock()});
    ProgramSequenceControl program(host, queue, links);

    SequenceRun run;
    const double start = CpuSeconds(CLOCK_PROCESS_CPUTIME_ID);
    program.Start();
    program.WaitForEnd();
    run.cpuSeconds = CpuSeconds(CLOCK_PROCESS_CPUTIME_ID) - start;
    run.virtualUs = board.Virtual()->NowUs();
    run.sleptMs = board.Virtual()->SleptMs();
    run.lastLine = host.lastLine;
    if (trace) *trace = std::move(tracing->trace);
    return run;
}

void BM_E9EraseProgramVerify(benchmark::State& state)
{
    // The sequence is deterministic on virtual time: one traced run gives the port accesses
    // of every run, so the timed runs carry no tracing cost.
    std::vector<PortAccessRecord> trace;
    const SequenceRun traced = RunSequence(&trace);
    if (traced.lastLine != "Program Sequence completed successful") {
        state.SkipWithError(traced.lastLine.c_str());
        return;
    }
    double boardSeconds = 0;
    for (int i = 0; i < 3; ++i) boardSeconds += ReplaySeconds(trace) / 3;

    double overheadSeconds = 0;
    for (auto _ : state) overheadSeconds += RunSequence().cpuSeconds - boardSeconds;

    const double iterations = static_cast<double>(state.iterations());
    state.counters["cpu_us_per_cell"] = overheadSeconds / iterations / kCellOperations * 1e6;
    state.counters["board_us_per_cell"] = boardSeconds / kCellOperations * 1e6;
    state.counters["virtual_ms"] = static_cast<double>(traced.virtualUs) / 1000.0;
    state.counters["waits_ms"] = static_cast<double>(traced.sleptMs);
    state.counters["mandated_ms"] = static_cast<double>(kMandatedMs);
    state.counters["port_accesses"] = static_cast<double>(trace.size());
}
BENCHMARK(BM_E9EraseProgramVerify)->Unit(benchmark::kMillisecond)->Iterations(5);

// The link's clock, timing each of its waits on the clock it passes them to: how late each
// ended, how much of the worker's CPU it took. Used on the worker thread only.
class WaitTimingClock final : public Clock {
public:
    explicit WaitTimingClock(Clock& inner) : inner_(inner) {}

    void SleepMs(int milliseconds) override
    {
        Time(milliseconds, [&] { inner_.SleepMs(milliseconds); });
    }
    bool SleepMsUnlessStopped(int milliseconds, const std::atomic<bool>& stop) override
    {
        bool stopped = false;
        Time(milliseconds, [&] { stopped = inner_.SleepMsUnlessStopped(milliseconds, stop); });
        return stopped;
    }
    void PauseBetweenPolls() override
    {
        // A poll pause is no mandated wait: it counts as time inside, with no overrun.
        const std::int64_t startUs = inner_.NowUs();
        inner_.PauseBetweenPolls();
        insideUs += inner_.NowUs() - startUs;
    }
    [[nodiscard]] std::int64_t NowUs() const override { return inner_.NowUs(); }

    int waits = 0;
    std::int64_t insideUs = 0;
    std::int64_t overrunUs = 0;
    bool endedEarly = false;
    double cpuSeconds = 0;

private:
    template <typename Wait>
    void Time(int milliseconds, Wait wait)
    {
        const double cpuStart = CpuSeconds(CLOCK_THREAD_CPUTIME_ID);
        const std::int64_t startUs = inner_.NowUs();
        wait();
        const std::int64_t tookUs = inner_.NowUs() - startUs;
        cpuSeconds += CpuSeconds(CLOCK_THREAD_CPUTIME_ID) - cpuStart;
        ++waits;
        insideUs += tookUs;
        overrunUs += tookUs - std::int64_t{milliseconds} * 1000;
        endedEarly = endedEarly || tookUs < std::int64_t{milliseconds} * 1000;
    }

    Clock& inner_;
};

// One program + verify of `device` on a simulated board, on virtual or real time; returns
// the process CPU seconds, the wall seconds, the waits a virtual clock summed and how the
// link's waits went.
struct RealTimeRun {
    double cpuSeconds = 0;
    double wallSeconds = 0;
    std::int64_t sleptMs = 0;
    int waits = 0;
    std::int64_t insideWaitsUs = 0;
    std::int64_t overrunUs = 0;
    bool waitEndedEarly = false;
    double waitCpuSeconds = 0;
    std::string lastLine;
};

RealTimeRun RunProgramVerify(const DeviceInfo& device, bool realTime)
{
    BenchHost host(std::string(device.name));
    host.options = {SequenceOption::Program, SequenceOption::Verify};
    const auto queue = HandOverQueue::Create();
    BoardSimOptions options;
    options.boardCode = device.boardCode;
    options.realTime = realTime;
    SimulatedBoard board(options);
    PortAccess access = board.Access();
    WaitTimingClock timing(*access.clock);
    access.clock = &timing;
    SharedPortsLinkFactory links(access);
    ProgramSequenceControl program(host, queue, links);

    RealTimeRun run;
    const double cpuStart = CpuSeconds(CLOCK_PROCESS_CPUTIME_ID);
    const auto wallStart = std::chrono::steady_clock::now();
    program.Start();
    program.WaitForEnd();
    run.wallSeconds = std::chrono::duration<double>(std::chrono::steady_clock::now() - wallStart).count();
    run.cpuSeconds = CpuSeconds(CLOCK_PROCESS_CPUTIME_ID) - cpuStart;
    if (board.Virtual() != nullptr) run.sleptMs = board.Virtual()->SleptMs();
    run.waits = timing.waits;
    run.insideWaitsUs = timing.insideUs;
    run.overrunUs = timing.overrunUs;
    run.waitEndedEarly = timing.endedEarly;
    run.waitCpuSeconds = timing.cpuSeconds;
    run.lastLine = host.lastLine;
    return run;
}

std::int64_t CellCount(const DeviceInfo& device)
{
    std::int64_t cells = device.configRegister >= 0 ? 1 : 0;
    for (const AddressRange& range : device.implementedRanges) cells += range.Size();
    return cells;
}

void BM_RealTimeProgramVerify(benchmark::State& state, const DeviceInfo* device)
{
    const RealTimeRun onVirtualTime = RunProgramVerify(*device, false);
    if (onVirtualTime.lastLine != "Program Sequence completed successful") {
        state.SkipWithError(onVirtualTime.lastLine.c_str());
        return;
    }
    RealTimeRun onWallClock;
    for (auto _ : state) {
        onWallClock = RunProgramVerify(*device, true);
        state.SetIterationTime(onWallClock.wallSeconds);
    }
    if (onWallClock.lastLine != "Program Sequence completed successful") {
        state.SkipWithError(onWallClock.lastLine.c_str());
        return;
    }
    if (onWallClock.waitEndedEarly) {
        state.SkipWithError("a wait ended before its time");
        return;
    }
    const double waitsSeconds = static_cast<double>(onVirtualTime.sleptMs) / 1000.0;
    const double waits = std::max(onWallClock.waits, 1);
    state.counters["real_over_waits"] = onWallClock.wallSeconds / waitsSeconds;
    state.counters["waits_ms"] = static_cast<double>(onVirtualTime.sleptMs);
    state.counters["cpu_us_per_cell"] =
        onWallClock.cpuSeconds / static_cast<double>(2 * CellCount(*device)) * 1e6;
    state.counters["overrun_us"] = static_cast<double>(onWallClock.overrunUs) / waits;
    state.counters["between_ms"] =
        onWallClock.wallSeconds * 1e3 - static_cast<double>(onWallClock.insideWaitsUs) / 1e3;
    state.counters["wait_cpu_us"] = onWallClock.waitCpuSeconds / waits * 1e6;
}
const bool g_realTimeRegistered = [] {
    for (const char* name : {"MC68HC11E9", "MC68HC05L28", "TMS370Cx5x (256)"}) {
        const DeviceInfo* device = DeviceCatalogue::FindDevice(name);
        benchmark::RegisterBenchmark((std::string("BM_RealTimeProgramVerify/") + name).c_str(),
                                     BM_RealTimeProgramVerify, device)
            ->UseManualTime()
            ->Unit(benchmark::kSecond)
            ->Iterations(1);
    }
    return true;
}();

} // namespace
} // namespace zav

BENCHMARK_MAIN();
