// The figures of the safety net around writing a part:
//   BM_Checksums64KiB     CRC-32 and 16-bit sum over 64 KiB;
//   BM_NextDifference     DifferenceMarks::Next from every cell of a part with 512 marks;
//   BM_BackupCost/<dev>   what the backup adds to an erase sequence on the simulated board:
//                         added_virtual_ms  the sequence's extra duration on the virtual clock,
//                         added_waits_ms    the extra waits the link made for the reads (the
//                                           mandated read waits),
//                         save_wall_ms      the real time the ZEF file took to format and write
//                                           (synced) to a temporary folder.
#include <benchmark/benchmark.h>

#include <chrono>
#include <filesystem>
#include <memory>
#include <random>
#include <set>

#include "boardsim/simulated_board.h"
#include "buffer/checksum.h"
#include "buffer/difference_marks.h"
#include "buffer/memory_buffer.h"
#include "devices/device_catalogue.h"
#include "files/backup_folder.h"
#include "sequences/buffer_sequence_host.h"
#include "sequences/program_sequence_control.h"
#include "sequences/shared_ports_link_factory.h"
#include "threads/hand_over_queue.h"

namespace zav {
namespace {

void BM_Checksums64KiB(benchmark::State& state)
{
    std::vector<std::uint8_t> bytes(0x10000);
    std::mt19937 random(7);
    for (std::uint8_t& byte : bytes) byte = static_cast<std::uint8_t>(random());
    for (auto _ : state) benchmark::DoNotOptimize(ChecksumsOf(bytes));
    state.SetBytesProcessed(static_cast<std::int64_t>(state.iterations()) * static_cast<std::int64_t>(bytes.size()));
}
BENCHMARK(BM_Checksums64KiB)->Unit(benchmark::kMicrosecond);

void BM_NextDifference(benchmark::State& state)
{
    std::vector<CellDifference> differences;
    for (std::int32_t address = 0xB600; address <= 0xB7FF; ++address) differences.push_back({address, 0x5A, 0xFF});
    DifferenceMarks marks;
    marks.Set(differences);
    std::int32_t cursor = 0;
    for (auto _ : state) {
        cursor = *marks.Next(cursor);
        benchmark::DoNotOptimize(cursor);
    }
}
BENCHMARK(BM_NextDifference)->Unit(benchmark::kNanosecond);

class BenchHost final : public BufferSequenceHost {
public:
    explicit BenchHost(std::string device) : BufferSequenceHost(buffer), device_(std::move(device)) {}
    void AddStatusMessage(const std::string& text, StatusKind) override { lastLine = text; }
    BoxAnswer Show(const BoxRequest&) override { return BoxAnswer::Yes; }
    bool PortIdle() override { return portIdle; }
    void SetPortIdle(bool idle) override { portIdle = idle; }
    void SetProgressMaximum(int) override {}
    void SetProgressPosition(int position) override { progress = position; }
    int ProgressPosition() override { return progress; }
    void PutStartButtonUp(SequenceKind) override {}
    bool IsOptionDown(SequenceOption option) override { return option == SequenceOption::Erase; }
    std::string DeviceIdText() override { return device_; }
    ProgramSettings GetProgramSettings() override
    {
        ProgramSettings settings;
        settings.lptDelay = 0;
        return settings;
    }
    void Beep() override {}

    MemoryBuffer buffer;
    std::string lastLine;
    bool portIdle = true;
    int progress = 0;

private:
    std::string device_;
};

// Times the store's saves in real time.
class TimedStore final : public BackupStore {
public:
    explicit TimedStore(std::filesystem::path folder) : inner_(std::move(folder)) {}
    Outcome Save(const BackupImage& image) override
    {
        const auto start = std::chrono::steady_clock::now();
        Outcome outcome = inner_.Save(image);
        wallMs += std::chrono::duration<double, std::milli>(std::chrono::steady_clock::now() - start).count();
        return outcome;
    }
    double wallMs = 0;

private:
    BackupFolder inner_;
};

struct EraseRun {
    std::int64_t virtualUs = 0;
    std::int64_t sleptMs = 0;
    std::string lastLine;
};

EraseRun RunErase(const std::string& device, std::shared_ptr<BackupStore> backup)
{
    BenchHost host(device);
    BoardSimOptions options;
    options.boardCode = DeviceCatalogue::FindDevice(device)->boardCode;
    SimulatedBoard board(options);
    SharedPortsLinkFactory links(board.Access());
    const auto queue = HandOverQueue::Create();
    ProgramSequenceControl program(host, queue, links);
    program.SetBackupStore(std::move(backup));
    program.Start();
    program.WaitForEnd();
    return {board.Virtual()->NowUs(), board.Virtual()->SleptMs(), host.lastLine};
}

void BM_BackupCost(benchmark::State& state, const char* device)
{
    const std::filesystem::path folder =
        std::filesystem::temp_directory_path() / ("zav-bench-backups-" + std::to_string(std::random_device()()));
    const auto store = std::make_shared<TimedStore>(folder);
    EraseRun without;
    EraseRun with;
    for (auto _ : state) {
        without = RunErase(device, nullptr);
        with = RunErase(device, store);
    }
    std::filesystem::remove_all(folder);
    if (with.lastLine != "Program Sequence completed successful") {
        state.SkipWithError(with.lastLine.c_str());
        return;
    }
    state.counters["erase_virtual_ms"] = static_cast<double>(without.virtualUs) / 1000.0;
    state.counters["added_virtual_ms"] = static_cast<double>(with.virtualUs - without.virtualUs) / 1000.0;
    state.counters["added_waits_ms"] = static_cast<double>(with.sleptMs - without.sleptMs);
    state.counters["save_wall_ms"] = store->wallMs / static_cast<double>(state.iterations());
}
BENCHMARK_CAPTURE(BM_BackupCost, MC68HC11E9, "MC68HC11E9")->Unit(benchmark::kMillisecond)->Iterations(3);
BENCHMARK_CAPTURE(BM_BackupCost, MC68HC05L28, "MC68HC05L28")->Unit(benchmark::kMillisecond)->Iterations(3);

} // namespace
} // namespace zav

BENCHMARK_MAIN();
