// The programmer link's cost on top of the port writes it makes, and the CPU time of
// reading a device's worth of cells from the simulated board on virtual time.
//
// BM_LinkSendByte / BM_BareSendByte: the same register writes (one byte, bit by bit, with
// the TMS boards' 401 writes per clock half) through the parallel board protocol's SendByte
// and through a bare loop; compare their "writes/s" (goal: the link at most 2x slower).
// BM_Read512Cells/<code>: 512 ReadByteAt on each board code; "virtual_ms" is the time the
// same reads would take on the real board.
// BM_StopLatencyAtSlowestDelay: a TMS board at delay 50 on a fast port (900 writes per clock
// half, the longest pulse there is) sending bytes on a worker; the time from the stop
// request to the worker's return.

#include <benchmark/benchmark.h>

#include <atomic>
#include <chrono>
#include <cstdint>
#include <thread>

#include "boardsim/simulated_board.h"
#include "link/delay_count.h"
#include "link/parallel_board_protocol.h"
#include "link/programmer_link.h"

namespace zav {
namespace {

constexpr std::uint16_t kBase = SimulatedParallelBoard::kBaseAddresses[0];
constexpr std::uint8_t kTmsCode = 6;

// The parallel protocol over the simulated board's LPT1, opened as the link opens it, for
// the byte primitive beneath the link's commands.
class BareProtocol {
public:
    BareProtocol(SimulatedBoard& board, int delayCount, const std::atomic<bool>& stop)
        : context_(board.Access().clock), protocol_(board.Parallel(), BoardProfileFor(kTmsCode), context_)
    {
        context_.SetStopRequest(stop);
        std::string cause;
        (void)protocol_.Open(1, delayCount, cause);
    }
    BareProtocol(const BareProtocol&) = delete;
    BareProtocol& operator=(const BareProtocol&) = delete;
    ~BareProtocol() { protocol_.Close(); }

    ParallelBoardProtocol& operator*() { return protocol_; }
    ParallelBoardProtocol* operator->() { return &protocol_; }
    [[nodiscard]] bool Failed() const { return !context_.lastError.empty(); }

private:
    LinkContext context_;
    ParallelBoardProtocol protocol_;
};

BoardSimOptions OptionsFor(std::uint8_t code)
{
    BoardSimOptions options;
    options.boardCode = code == 5 ? 6 : code == 7 ? 8 : code;
    options.oldBoard = code == 5 || code == 7;
    return options;
}

void BM_LinkSendByte(benchmark::State& state)
{
    SimulatedBoard board(OptionsFor(kTmsCode));
    std::atomic<bool> stop{false};
    BareProtocol protocol(board, 0, stop);
    const auto writesPerByte = static_cast<std::int64_t>(8 * (1 + 2 * (protocol->PulseCount() + 1)));
    std::uint8_t value = 0;
    for (auto _ : state) protocol->SendByte(value++);
    state.counters["writes/s"] = benchmark::Counter(static_cast<double>(state.iterations() * writesPerByte),
                                                    benchmark::Counter::kIsRate);
}
BENCHMARK(BM_LinkSendByte);

void BM_BareSendByte(benchmark::State& state)
{
    SimulatedBoard board(OptionsFor(kTmsCode));
    ParallelPortIo& io = board.Parallel();
    const int pulseCount = 400;
    const auto writesPerByte = static_cast<std::int64_t>(8 * (1 + 2 * (pulseCount + 1)));
    std::uint8_t value = 0;
    for (auto _ : state) {
        for (int i = 0; i < 8; ++i) {
            io.Write(kBase, static_cast<std::uint8_t>((value >> (7 - i)) & 1));
            for (int n = 0; n <= pulseCount; ++n) io.Write(kBase + 2, 0);
            for (int n = 0; n <= pulseCount; ++n) io.Write(kBase + 2, 1);
        }
        ++value;
    }
    state.counters["writes/s"] = benchmark::Counter(static_cast<double>(state.iterations() * writesPerByte),
                                                    benchmark::Counter::kIsRate);
}
BENCHMARK(BM_BareSendByte);

void BM_Read512Cells(benchmark::State& state)
{
    const auto code = static_cast<std::uint8_t>(state.range(0));
    SimulatedBoard board(OptionsFor(code));
    std::atomic<bool> stop{false};
    ProgrammerLink link(board.Access());
    link.Open(code == 1 ? "COM1" : "LPT1", 0, stop, code);
    link.ResetTarget();
    if (code == 1) {
        link.UploadLoader();
    } else if (code == 2 || code >= 4) {
        link.ReadBoardId();
    }
    const std::uint16_t first = code == 1 ? 0x0300 : code <= 3 ? 0x0100 : 0x1E00;
    const std::int64_t virtualStart = board.BoardClock().NowUs();
    std::int64_t rounds = 0;
    for (auto _ : state) {
        for (std::uint16_t cell = 0; cell < 512; ++cell) {
            benchmark::DoNotOptimize(link.ReadByteAt(static_cast<std::uint16_t>(first + cell)));
        }
        ++rounds;
    }
    if (!link.LastError().empty()) state.SkipWithError(link.LastError().c_str());
    const double virtualUs = static_cast<double>(board.BoardClock().NowUs() - virtualStart);
    state.counters["virtual_ms"] = virtualUs / 1000.0 / static_cast<double>(rounds == 0 ? 1 : rounds);
}
BENCHMARK(BM_Read512Cells)->DenseRange(0, 8)->Unit(benchmark::kMillisecond);

void BM_StopLatencyAtSlowestDelay(benchmark::State& state)
{
    SimulatedBoard board(OptionsFor(kTmsCode));
    for (auto _ : state) {
        std::atomic<bool> stop{false};
        BareProtocol protocol(board, kMaxDelayCount, stop);
        std::atomic<bool> sending{false};
        std::chrono::steady_clock::time_point ended;
        std::thread worker([&] {
            sending = true;
            while (!protocol.Failed()) protocol->SendByte(0x55);
            ended = std::chrono::steady_clock::now();
        });
        while (!sending) std::this_thread::yield();
        std::this_thread::sleep_for(std::chrono::milliseconds(2));
        const auto requested = std::chrono::steady_clock::now();
        stop = true;
        worker.join();
        state.SetIterationTime(std::chrono::duration<double>(ended - requested).count());
    }
}
BENCHMARK(BM_StopLatencyAtSlowestDelay)->UseManualTime()->Unit(benchmark::kMicrosecond)->Iterations(50);

} // namespace
} // namespace zav

BENCHMARK_MAIN();
