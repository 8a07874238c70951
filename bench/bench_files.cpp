// Load and save of a full 64 KiB buffer with a 100-row description, in each file format.
// Goal: each under 2 ms.
#include <benchmark/benchmark.h>

#include <filesystem>
#include <random>
#include <string>

#include "buffer/memory_buffer.h"
#include "files/buffer_file_content.h"
#include "files/buffer_file_loader.h"
#include "files/buffer_file_saver.h"
#include "messages/message_boxes.h"
#include "messages/status_sink.h"

namespace {

using namespace zav;

class DiscardingStatus : public StatusSink {
public:
    void AddStatusMessage(const std::string&, StatusKind) override {}
};

class AnsweringBoxes : public MessageBoxes {
public:
    BoxAnswer Show(const BoxRequest&) override { return BoxAnswer::Ok; }
};

// A scratch folder for the benchmark's files, removed at the end.
class ScratchFolder {
public:
    ScratchFolder()
    {
        std::random_device random;
        path_ = std::filesystem::temp_directory_path() / ("zav-bench-files-" + std::to_string(random()));
        std::filesystem::create_directories(path_);
    }
    ~ScratchFolder()
    {
        std::error_code ignored;
        std::filesystem::remove_all(path_, ignored);
    }
    [[nodiscard]] const std::filesystem::path& Path() const { return path_; }

private:
    std::filesystem::path path_;
};

void FillBuffer(MemoryBuffer& buffer)
{
    for (std::int32_t address = 0; address <= buffer.LastAddress(); ++address) {
        buffer.SetByte(address, static_cast<std::uint8_t>(address * 31 + 7));
    }
    Description& description = buffer.Descriptions();
    description.SetProjectName("Benchmark project");
    description.SetDeviceName("MC68HC11E9");
    description.SetNotes("Notes of the benchmark\r\nsecond line");
    for (int row = 0; row < 100; ++row) {
        description.SetDescriptionRow(row, row * 97, static_cast<std::uint32_t>(row % 64), row % 3 == 0,
                                      "Description row " + std::to_string(row));
    }
}

FileFormat FormatOf(const benchmark::State& state)
{
    return static_cast<FileFormat>(state.range(0));
}

void BM_SaveBufferFile(benchmark::State& state)
{
    ScratchFolder folder;
    MemoryBuffer buffer;
    FillBuffer(buffer);
    DiscardingStatus status;
    const auto path = folder.Path() / "saved";
    for (auto _ : state) {
        benchmark::DoNotOptimize(SaveBufferFile(path, FormatOf(state), {}, buffer, status));
    }
    state.SetLabel(std::string(FileFormatDisplayName(FormatOf(state))));
}

// The part of a save that is this program's own work, without the file system.
void BM_FormatBufferFile(benchmark::State& state)
{
    MemoryBuffer buffer;
    FillBuffer(buffer);
    std::string content;
    std::string refusal;
    for (auto _ : state) {
        benchmark::DoNotOptimize(FormatBufferFile(buffer, FormatOf(state), {}, content, refusal));
    }
    state.SetLabel(std::string(FileFormatDisplayName(FormatOf(state))));
}

void BM_LoadBufferFile(benchmark::State& state)
{
    ScratchFolder folder;
    MemoryBuffer source;
    FillBuffer(source);
    DiscardingStatus status;
    AnsweringBoxes boxes;
    const auto path = folder.Path() / "loaded";
    if (!SaveBufferFile(path, FormatOf(state), {}, source, status)) {
        state.SkipWithError("could not write the file to load");
        return;
    }
    MemoryBuffer buffer;
    for (auto _ : state) {
        benchmark::DoNotOptimize(LoadBufferFile(path, FormatOf(state), {}, buffer, status, boxes));
    }
    state.SetLabel(std::string(FileFormatDisplayName(FormatOf(state))));
}

constexpr int kFormats[] = {static_cast<int>(FileFormat::ExtendedFormat),
                            static_cast<int>(FileFormat::MotorolaS), static_cast<int>(FileFormat::Binary)};

BENCHMARK(BM_SaveBufferFile)
    ->ArgsProduct({{std::begin(kFormats), std::end(kFormats)}})
    ->Unit(benchmark::kMicrosecond);
BENCHMARK(BM_FormatBufferFile)
    ->ArgsProduct({{std::begin(kFormats), std::end(kFormats)}})
    ->Unit(benchmark::kMicrosecond);
BENCHMARK(BM_LoadBufferFile)
    ->ArgsProduct({{std::begin(kFormats), std::end(kFormats)}})
    ->Unit(benchmark::kMicrosecond);

} // namespace

BENCHMARK_MAIN();
