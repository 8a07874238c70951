// Whole-buffer editor operations; each should stay well under 5 ms.
#include <optional>
#include <string>

#include <benchmark/benchmark.h>

#include "buffer/memory_buffer.h"
#include "operations/clipboard_text.h"
#include "operations/copy_as.h"
#include "operations/dump_text.h"
#include "operations/find_pattern.h"
#include "operations/paste_text.h"
#include "operations/selection.h"
#include "operations/swap.h"
#include "messages/message_boxes.h"

namespace {

class SilentBoxes : public zav::MessageBoxes {
public:
    zav::BoxAnswer Show(const zav::BoxRequest&) override { return zav::BoxAnswer::Ok; }
};

void FillWithPattern(zav::MemoryBuffer& buffer)
{
    for (std::int32_t a = 0; a <= buffer.LastAddress(); ++a) {
        buffer.SetByte(a, static_cast<std::uint8_t>(a * 31 + (a >> 8)));
    }
    buffer.Undo().Clear();
}

void BM_SwapWholeBufferAndUndo(benchmark::State& state)
{
    zav::MemoryBuffer buffer;
    FillWithPattern(buffer);
    const auto unit = static_cast<zav::SwapUnit>(state.range(0));
    for (auto _ : state) {
        zav::SwapBuffer(buffer, unit);
        buffer.Undo().Undo();
    }
    benchmark::DoNotOptimize(buffer.GetByte(0));
}
BENCHMARK(BM_SwapWholeBufferAndUndo)->Arg(0)->Arg(1)->Arg(2)->Unit(benchmark::kMillisecond);

void BM_SwapWholeBuffer(benchmark::State& state)
{
    zav::MemoryBuffer buffer;
    FillWithPattern(buffer);
    for (auto _ : state) zav::SwapBuffer(buffer, zav::SwapUnit::Word);
    benchmark::DoNotOptimize(buffer.GetByte(0));
}
BENCHMARK(BM_SwapWholeBuffer)->Unit(benchmark::kMillisecond);

// Every cell 0x00 and a pattern of 31 zeros and a one: each address compares all 32 bytes.
void BM_FindWorstCase32Bytes(benchmark::State& state)
{
    zav::MemoryBuffer buffer;
    std::vector<std::uint8_t> pattern(32, 0x00);
    pattern.back() = 0x01;
    const bool textMode = state.range(0) != 0;
    for (auto _ : state) {
        benchmark::DoNotOptimize(zav::FindPattern(buffer, 0, 1, pattern, textMode));
    }
}
BENCHMARK(BM_FindWorstCase32Bytes)->Arg(0)->Arg(1)->Unit(benchmark::kMillisecond);

void BM_CopyAsCArrayWholeBuffer(benchmark::State& state)
{
    zav::MemoryBuffer buffer;
    FillWithPattern(buffer);
    SilentBoxes boxes;
    for (auto _ : state) {
        benchmark::DoNotOptimize(zav::ToCArray(buffer, zav::AddressRange{0, 0xFFFF}, boxes));
    }
}
BENCHMARK(BM_CopyAsCArrayWholeBuffer)->Unit(benchmark::kMillisecond);

void BM_CopyAsHtmlWholeBuffer(benchmark::State& state)
{
    zav::MemoryBuffer buffer;
    FillWithPattern(buffer);
    SilentBoxes boxes;
    for (auto _ : state) {
        benchmark::DoNotOptimize(zav::ToHtmlPage(buffer, zav::Selection::All(), "Project Device", boxes));
    }
}
BENCHMARK(BM_CopyAsHtmlWholeBuffer)->Unit(benchmark::kMillisecond);

void BM_PasteWholeBufferText(benchmark::State& state)
{
    zav::MemoryBuffer source;
    FillWithPattern(source);
    SilentBoxes boxes;
    const std::string text = *zav::SelectionClipboardText(source, zav::Selection::All(), boxes);
    zav::MemoryBuffer target;
    for (auto _ : state) {
        benchmark::DoNotOptimize(zav::PasteText(target, text, 0));
        state.PauseTiming();
        target.Undo().Clear();
        state.ResumeTiming();
    }
}
BENCHMARK(BM_PasteWholeBufferText)->Unit(benchmark::kMillisecond);

void BM_CopyWholeBufferText(benchmark::State& state)
{
    zav::MemoryBuffer buffer;
    FillWithPattern(buffer);
    SilentBoxes boxes;
    for (auto _ : state) {
        benchmark::DoNotOptimize(zav::SelectionClipboardText(buffer, zav::Selection::All(), boxes));
    }
}
BENCHMARK(BM_CopyWholeBufferText)->Unit(benchmark::kMillisecond);

void BM_DumpTextWholeBuffer(benchmark::State& state)
{
    zav::MemoryBuffer buffer;
    FillWithPattern(buffer);
    buffer.Descriptions().SetProjectName("Dashboard");
    SilentBoxes boxes;
    const int width = static_cast<int>(state.range(0));
    for (auto _ : state) {
        benchmark::DoNotOptimize(zav::BuildDumpText(buffer, 0, 0xFFFF, width, boxes));
    }
}
BENCHMARK(BM_DumpTextWholeBuffer)->Arg(16)->Arg(32)->Unit(benchmark::kMillisecond);

} // namespace

BENCHMARK_MAIN();
