#include "cli/commands.h"

#include "buffer/memory_buffer.h"
#include "cli/command_line.h"
#include "cli/console_reporter.h"
#include "cli/progress_bar.h"
#include "cli/tool_files.h"
#include "files/buffer_file_access.h"
#include "files/save_options.h"

namespace zav {

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

    LoadOptions load;
    if (command.loadRange) {
        load.lowFileAddress = command.loadRange->low;
        load.highFileAddress = command.loadRange->high;
    }
    load.offset = command.offset;
    load.clearMode = command.clearMode;
    const std::string& input = command.files[0];
    if (!LoadToolInput(input, command.inFormat, load, *buffer, reporter, reporter, &progress))
        return kExitFailed;

    SaveOptions save;
    save.lowAddress = 0;
    save.highAddress = buffer->LastAddress();
    if (command.saveRange) {
        save.lowAddress = static_cast<std::int32_t>(command.saveRange->low);
        save.highAddress = static_cast<std::int32_t>(command.saveRange->high);
    }
    save.saveUnimplemented = command.saveUnimplemented;
    const std::string& output = command.files[1];
    // A conversion's input is still there to convert again, so like cp or srec_cat it does not
    // wait for the disk; the output still appears only whole.
    if (!SaveToolOutput(output, ToolOutputFormat(output, command.outFormat), save, *buffer, reporter, io.out,
                        Durability::Unsynced, command.force ? ReadOnlyFiles::Replace : ReadOnlyFiles::Refuse)) {
        return kExitFailed;
    }
    return reporter.ErrorSeen() ? kExitFailed : kExitDone;
}

} // namespace zav
