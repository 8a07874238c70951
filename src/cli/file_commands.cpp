#include "cli/commands.h"

#include "buffer/memory_buffer.h"
#include "files/buffer_file_access.h"
#include "cli/command_line.h"
#include "cli/console_reporter.h"
#include "files/buffer_file_saver.h"
#include "files/save_options.h"

namespace zav {

int RunDetect(const CommandLine& command, ToolIo& io)
{
    ConsoleReporter reporter(io.err, io.terminal, false);
    const auto offered = DetectFormatsOfFile(command.files.front(), reporter);
    if (!offered) return kExitFailed;
    for (const std::string& name : *offered) io.out << name << '\n';
    return kExitDone;
}

int RunConvert(const CommandLine& command, ToolIo& io)
{
    ConsoleReporter reporter(io.err, io.terminal, false);
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
    if (!LoadFileAsOpenDialog(input, command.inFormat, load, *buffer, reporter, reporter)) return kExitFailed;

    SaveOptions save;
    save.lowAddress = 0;
    save.highAddress = buffer->LastAddress();
    if (command.saveRange) {
        save.lowAddress = static_cast<std::int32_t>(command.saveRange->low);
        save.highAddress = static_cast<std::int32_t>(command.saveRange->high);
    }
    save.saveUnimplemented = command.saveUnimplemented;
    const std::string& output = command.files[1];
    if (!SaveBufferFile(output, OutputFormatFor(output, command.outFormat), save, *buffer, reporter)) {
        return kExitFailed;
    }
    return reporter.ErrorSeen() ? kExitFailed : kExitDone;
}

} // namespace zav
