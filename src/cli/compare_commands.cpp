#include "cli/commands.h"

#include <memory>

#include "buffer/cell_difference.h"
#include "buffer/checksum.h"
#include "buffer/memory_buffer.h"
#include "cli/command_line.h"
#include "cli/console_reporter.h"
#include "cli/progress_bar.h"
#include "cli/sequence_commands.h"
#include "cli/tool_files.h"
#include "files/buffer_file_access.h"
#include "files/file_comparison.h"
#include "sequences/sequence_plan.h"

namespace zav {

namespace {

// A file loaded as the tool loads every input, with the addresses it gave.
struct LoadedFile {
    std::unique_ptr<MemoryBuffer> buffer;
    LoadCoverage given;
};

std::optional<LoadedFile> Load(const CommandLine& command, const std::string& path, ConsoleReporter& reporter,
                               ProgressBar& progress)
{
    LoadedFile file;
    file.buffer = CreateToolBuffer(command.device, reporter);
    if (!file.buffer) return std::nullopt;
    if (!LoadToolInput(path, command.inFormat, {}, *file.buffer, reporter, reporter, &progress, &file.given))
        return std::nullopt;
    return file;
}

// What compare looks at: --range, else the device's cells, else the whole buffer.
std::vector<AddressRange> CompareRanges(const CommandLine& command)
{
    if (command.range) {
        return {{static_cast<std::int32_t>(command.range->low), static_cast<std::int32_t>(command.range->high)}};
    }
    return ComparedRanges(command.device);
}

// What checksum adds up: --range, else the device's EEPROM as the sequences program it, else
// the cells the file gave from the lowest to the highest.
std::optional<AddressRange> ChecksumRange(const CommandLine& command, const LoadCoverage& given)
{
    if (command.range) {
        return AddressRange{static_cast<std::int32_t>(command.range->low),
                            static_cast<std::int32_t>(command.range->high)};
    }
    if (command.device) {
        if (const auto plan = FindSequencePlan(*command.device)) return plan->eeprom;
    }
    std::optional<AddressRange> span;
    for (std::int32_t address = 0; address < static_cast<std::int32_t>(given.size()); ++address) {
        if (!given[static_cast<std::size_t>(address)]) continue;
        if (!span) span = AddressRange{address, address};
        span->last = address;
    }
    return span;
}

} // namespace

int RunCompare(const CommandLine& command, ToolIo& io)
{
    ProgressBar progress(io.err, io.errIsTerminal);
    ConsoleReporter reporter(io.err, io.terminal, {false, command.quiet, &progress});
    const auto first = Load(command, command.files[0], reporter, progress);
    if (!first) return kExitUsage;
    const auto second = Load(command, command.files[1], reporter, progress);
    if (!second) return kExitUsage;

    // Range by range, so that a run never spans two of the device's ranges.
    std::int64_t cells = 0;
    std::size_t runs = 0;
    for (const AddressRange& range : CompareRanges(command)) {
        const std::vector<CellDifference> differences =
            CompareImages({*first->buffer, first->given}, {*second->buffer, second->given}, {range});
        for (const AddressRange& run : DifferenceRuns(differences)) {
            io.out << RangeText(run) << '\n';
            cells += run.Size();
            ++runs;
        }
    }
    if (cells == 0) {
        reporter.AddStatusMessage("The files are equal", StatusKind::Normal);
        return kExitDone;
    }
    const std::string ranges = runs == 1 ? "1 range" : std::to_string(runs) + " ranges";
    reporter.AddStatusMessage(CellsDifferText(static_cast<std::size_t>(cells)) + " in " + ranges, StatusKind::Normal);
    return kExitFailed;
}

int RunChecksum(const CommandLine& command, ToolIo& io)
{
    ProgressBar progress(io.err, io.errIsTerminal);
    ConsoleReporter reporter(io.err, io.terminal, {false, command.quiet, &progress});
    const auto file = Load(command, command.files[0], reporter, progress);
    if (!file) return kExitFailed;
    const std::optional<AddressRange> range = ChecksumRange(command, file->given);
    if (!range) {
        reporter.AddStatusMessage(command.files[0] + " gives no cells to add up", StatusKind::Error);
        return kExitFailed;
    }
    reporter.AddStatusMessage("Over " + RangeText(*range), StatusKind::Normal);
    io.out << ChecksumsText(BufferChecksums(*file->buffer, {*range})) << '\n';
    return reporter.ErrorSeen() ? kExitFailed : kExitDone;
}

} // namespace zav
