#include "cli/commands.h"

#include <algorithm>

#include "buffer/memory_buffer.h"
#include "cli/command_line.h"
#include "cli/console_reporter.h"
#include "cli/progress_bar.h"
#include "cli/sequence_commands.h"
#include "cli/stop_signal_watcher.h"
#include "cli/tool_files.h"
#include "files/buffer_file_access.h"
#include "files/save_options.h"

namespace zav {

namespace {

// Users of a converter expect the data they gave: the save covers the addresses the input
// gave a byte for, from the lowest to the highest. The text formats leave the gaps out as
// they leave out cells outside a device's map; Binary, which has no gaps, fills them. An
// input without data gives an empty range.
SaveOptions SaveOfWhatWasGiven(MemoryBuffer& buffer, const LoadCoverage& given, FileFormat format,
                               std::uint8_t fill)
{
    SaveOptions save;
    const auto first = std::find(given.begin(), given.end(), true);
    if (first == given.end()) {
        save.lowAddress = 0;
        save.highAddress = -1;
        return save;
    }
    const auto last = std::find(given.rbegin(), given.rend(), true);
    save.lowAddress = static_cast<std::int32_t>(first - given.begin());
    save.highAddress = static_cast<std::int32_t>(given.rend() - last) - 1;
    // In a bulk update, so cells the file's description made read-only take the fill too.
    {
        const MemoryBuffer::BulkUpdate update(buffer);
        for (std::int32_t address = save.lowAddress; address <= save.highAddress; ++address) {
            if (given[static_cast<std::size_t>(address)]) continue;
            if (format == FileFormat::Binary) {
                buffer.SetByte(address, fill);
            } else {
                buffer.SetUnimplemented(address, true);
            }
        }
    }
    return save;
}

} // namespace

int RunDetect(const CommandLine& command, ToolIo& io)
{
    ConsoleReporter reporter(io.err, io.terminal, {false, command.quiet, nullptr});
    const auto offered = DetectToolInput(command.files.front(), reporter);
    if (!offered) return kExitFailed;
    for (const std::string& name : *offered) io.out << name << '\n';
    return kExitDone;
}

int RunConvert(const CommandLine& command, ToolIo& io)
{
    ProgressBar progress(io.err, io.errIsTerminal);
    ConsoleReporter reporter(io.err, io.terminal, {false, command.quiet, &progress});
    const std::unique_ptr<MemoryBuffer> buffer = CreateToolBuffer(command.device, reporter);
    if (!buffer) return kExitFailed;

    const LoadOptions load = ToolLoadOptions(command);
    const std::string& input = command.files[0];
    const std::string& output = command.files[1];
    // A conversion that would write less than its input gave, or nothing, is no conversion.
    const ToolLoadDemands demands{
        .someData = true,
        .everything = true,
        .untouched = "; " + (output == "-" ? "nothing was written" : output + " is as it was")};
    LoadCoverage given;
    if (!LoadToolInput(input, command.inFormat, load, *buffer, reporter, reporter, &progress, &given,
                       demands))
        return kExitFailed;

    const FileFormat outputFormat = ToolOutputFormat(output, command.outFormat);
    // A device's map, a save range or a clear value say which cells count; else the input does.
    const bool wholeBuffer = command.device || command.saveRange || command.clearMode != ClearMode::None;
    SaveOptions save;
    if (wholeBuffer) {
        save.lowAddress = 0;
        save.highAddress = buffer->LastAddress();
        if (command.saveRange) {
            save.lowAddress = static_cast<std::int32_t>(command.saveRange->low);
            save.highAddress = static_cast<std::int32_t>(command.saveRange->high);
        }
        save.saveUnimplemented = command.saveUnimplemented;
    } else {
        save = SaveOfWhatWasGiven(*buffer, given, outputFormat, command.fill);
    }
    // A conversion's input is still there to convert again, so like cp or srec_cat it does not
    // wait for the disk; the output still appears only whole.
    SaveRules rules;
    rules.durability = Durability::Unsynced;
    rules.readOnly = command.force ? ReadOnlyFiles::Replace : ReadOnlyFiles::Refuse;
    // An output that waits for its reader (a FIFO) is given up on a stop, as a read's is.
    const StopSignalWatcher watcher(nullptr);
    rules.stop = &watcher.Flag();
    const bool saved = SaveToolOutput(output, outputFormat, save, *buffer, reporter, io.out, rules);
    if (watcher.StopRequested()) {
        reporter.AddStatusMessage(std::string("Stopped by the user (") + watcher.SignalName() + ") " +
                                      (saved ? "after the save of " + output + " was complete."
                                             : "during the save; " + output + " is as it was."),
                                  StatusKind::Warning);
        return 128 + watcher.Signal();
    }
    if (!saved) return kExitFailed;
    return reporter.ErrorSeen() ? kExitFailed : kExitDone;
}

} // namespace zav
