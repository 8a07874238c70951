// How the buffer's whole-buffer operations compare with the bare memory traffic they cause:
// a loop that reads and writes the same 65,536 value bytes and 65,536 state bytes.
// After Google Benchmark's table, one line per operation: "NAME ratio R", the operation's
// median CPU time over the baseline's (CPU time, because the machine may be shared).

#include <benchmark/benchmark.h>

#include <cstdint>
#include <cstdio>
#include <map>
#include <string>
#include <vector>

#include "buffer/memory_buffer.h"
#include "buffer/undo_stack.h"

namespace zav {
namespace {

constexpr std::int32_t kCells = MemoryBuffer::kLastAddress + 1;
constexpr int kDescribedRows = 1000;
constexpr const char* kBaseline = "Baseline";

// Scalar on purpose: every buffer operation decides cell by cell, so the baseline is the
// same traffic one cell at a time. (Vectorised, this loop runs about 20 times faster.)
#if defined(__GNUC__) && !defined(__clang__)
__attribute__((optimize("no-tree-vectorize")))
#endif
void Baseline(benchmark::State& state)
{
    std::vector<std::uint8_t> values(kCells, 0);
    std::vector<std::uint8_t> states(kCells, 0x30);
    for (auto _ : state) {
        for (std::size_t i = 0; i < values.size(); ++i) {
            values[i] = static_cast<std::uint8_t>(values[i] + 1);
            states[i] = static_cast<std::uint8_t>(states[i] ^ 0x03);
        }
        benchmark::DoNotOptimize(values.data());
        benchmark::DoNotOptimize(states.data());
        benchmark::ClobberMemory();
    }
}

void FillEveryCell(MemoryBuffer& buffer, std::uint8_t value)
{
    UndoStack& undo = buffer.Undo();
    undo.BeginGroup();
    for (std::int32_t address = 0; address < kCells; ++address) {
        undo.Push(address);
        buffer.SetByte(address, value);
    }
    undo.EndGroup();
}

void FillWithUndo(benchmark::State& state)
{
    MemoryBuffer buffer;
    std::uint8_t value = 0;
    for (auto _ : state) {
        buffer.Undo().Clear();
        FillEveryCell(buffer, ++value);
    }
}

void UndoFill(benchmark::State& state)
{
    MemoryBuffer buffer;
    std::uint8_t value = 0;
    for (auto _ : state) {
        state.PauseTiming();
        FillEveryCell(buffer, ++value);
        state.ResumeTiming();
        benchmark::DoNotOptimize(buffer.Undo().Undo());
    }
}

void DeviceMap(benchmark::State& state)
{
    MemoryBuffer buffer;
    for (auto _ : state) {
        buffer.Descriptions().ClearDescription();
        buffer.BeginUpdate();
        for (std::int32_t address = 0; address < kCells; ++address) {
            buffer.SetUnimplemented(address, false);
            buffer.SetByte(address, 0x00);
            buffer.SetUnimplemented(address, true);
        }
        // Two ranges, as a device with EEPROM and ROM has them.
        for (std::int32_t address = 0x0100; address <= 0x01FF; ++address)
            buffer.SetUnimplemented(address, false);
        for (std::int32_t address = 0x8000; address <= 0xFFFF; ++address)
            buffer.SetUnimplemented(address, false);
        buffer.EndUpdate();
    }
}

void Describe(MemoryBuffer& buffer)
{
    Description& description = buffer.Descriptions();
    description.ClearDescription();
    for (int row = 0; row < kDescribedRows; ++row) {
        description.SetDescriptionRow(row, row * 61, static_cast<std::uint32_t>(row % 64), row % 3 == 0,
                                      "described cell " + std::to_string(row));
    }
}

void EndUpdateWithDescription(benchmark::State& state)
{
    MemoryBuffer buffer;
    Describe(buffer);
    for (auto _ : state) {
        buffer.BeginUpdate();
        buffer.EndUpdate();
    }
}

void OptionsRecolour(benchmark::State& state)
{
    MemoryBuffer buffer;
    for (std::int32_t address = 0; address < kCells; address += 3) buffer.SetUnimplemented(address, true);
    Describe(buffer);
    EditorColours colours[2];
    colours[1].notEdited = 0x00AA00;
    colours[1].edited = 0xAA00AA;
    colours[1].unimplemented = 0x555555;
    int which = 0;
    for (auto _ : state) {
        which ^= 1;
        buffer.ApplyEditorColours(colours[which]);
    }
}

// Passes everything on to the console and keeps each benchmark's median.
class MedianReporter : public benchmark::ConsoleReporter {
public:
    void ReportRuns(const std::vector<Run>& runs) override
    {
        ConsoleReporter::ReportRuns(runs);
        for (const Run& run : runs) {
            const std::string& name = run.run_name.function_name;
            if (run.run_type == Run::RT_Aggregate && run.aggregate_name == "median") {
                medians[name] = run.GetAdjustedCPUTime();
            } else if (run.run_type == Run::RT_Iteration && run.repetitions <= 1) {
                medians[name] = run.GetAdjustedCPUTime();
            }
        }
    }

    std::map<std::string, double> medians;
};

} // namespace
} // namespace zav

BENCHMARK(zav::Baseline)->Name(zav::kBaseline)->Unit(benchmark::kMicrosecond);
BENCHMARK(zav::FillWithUndo)->Name("FillWithUndo")->Unit(benchmark::kMicrosecond);
BENCHMARK(zav::UndoFill)->Name("UndoFill")->Unit(benchmark::kMicrosecond);
BENCHMARK(zav::DeviceMap)->Name("DeviceMap")->Unit(benchmark::kMicrosecond);
BENCHMARK(zav::EndUpdateWithDescription)->Name("EndUpdateWith1000Rows")->Unit(benchmark::kMicrosecond);
BENCHMARK(zav::OptionsRecolour)->Name("OptionsRecolour")->Unit(benchmark::kMicrosecond);

int main(int argc, char** argv)
{
    // Medians need repetitions; the command line may still ask for others.
    std::vector<char*> arguments(argv, argv + argc);
    std::string repetitions = "--benchmark_repetitions=7";
    std::string aggregatesOnly = "--benchmark_display_aggregates_only=true";
    arguments.insert(arguments.begin() + 1, {repetitions.data(), aggregatesOnly.data()});
    int count = static_cast<int>(arguments.size());
    benchmark::Initialize(&count, arguments.data());
    if (benchmark::ReportUnrecognizedArguments(count, arguments.data())) return 1;

    zav::MedianReporter reporter;
    benchmark::RunSpecifiedBenchmarks(&reporter);
    benchmark::Shutdown();

    const auto baseline = reporter.medians.find(zav::kBaseline);
    if (baseline == reporter.medians.end() || baseline->second <= 0.0) return 0;
    for (const auto& [name, median] : reporter.medians) {
        if (name == zav::kBaseline) continue;
        std::printf("%s ratio %.2f\n", name.c_str(), median / baseline->second);
    }
    return 0;
}
