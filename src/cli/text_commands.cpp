#include "cli/commands.h"

#include <cerrno>
#include <cstring>

#include "buffer/memory_buffer.h"
#include "cli/command_line.h"
#include "cli/console_reporter.h"
#include "cli/progress_bar.h"
#include "cli/tool_files.h"
#include "files/buffer_file_access.h"
#include "operations/copy_as.h"
#include "operations/dump_text.h"

namespace zav {

namespace {

// The buffer as the file fills it, or null when the file could not be read.
std::unique_ptr<MemoryBuffer> LoadForText(const CommandLine& command, ConsoleReporter& reporter,
                                          ProgressBar& progress, const ToolLoadDemands& demands = {})
{
    std::unique_ptr<MemoryBuffer> buffer = CreateToolBuffer(command.device, reporter);
    if (!buffer) return buffer;
    if (!LoadToolInput(command.files.front(), command.inFormat, LoadOptions{}, *buffer, reporter, reporter,
                       &progress, nullptr, demands)) {
        buffer.reset();
    }
    return buffer;
}

AddressRange RangeOf(const CommandLine& command, const MemoryBuffer& buffer)
{
    if (!command.range) return AddressRange{0, buffer.LastAddress()};
    return AddressRange{static_cast<std::int32_t>(command.range->low),
                        static_cast<std::int32_t>(command.range->high)};
}

// The text goes out byte for byte, as the printer or clipboard would get it.
int Emit(const std::string& text, ToolIo& io, ConsoleReporter& reporter)
{
    errno = 0;
    io.out.write(text.data(), static_cast<std::streamsize>(text.size()));
    io.out.flush();
    if (!io.out) {
        reporter.AddStatusMessage(std::string("cannot write to standard output: ") +
                                      (errno != 0 ? std::strerror(errno) : "the write failed"),
                                  StatusKind::Error);
    }
    return reporter.ErrorSeen() ? kExitFailed : kExitDone;
}

} // namespace

int RunDump(const CommandLine& command, ToolIo& io)
{
    ProgressBar progress(io.err, io.errIsTerminal);
    ConsoleReporter reporter(io.err, io.terminal, {false, command.quiet, &progress});
    const std::unique_ptr<MemoryBuffer> buffer = LoadForText(command, reporter, progress);
    if (!buffer) return kExitFailed;
    const AddressRange range = RangeOf(command, *buffer);
    return Emit(BuildDumpText(*buffer, range.first, range.last, command.width, reporter), io, reporter);
}

int RunExport(const CommandLine& command, ToolIo& io)
{
    ProgressBar progress(io.err, io.errIsTerminal);
    ConsoleReporter reporter(io.err, io.terminal, {false, command.quiet, &progress});
    // An export of a file that gave nothing would be an array of the buffer's zeros.
    const std::unique_ptr<MemoryBuffer> buffer = LoadForText(command, reporter, progress, {.someData = true});
    if (!buffer) return kExitFailed;
    const AddressRange range = RangeOf(command, *buffer);
    std::string text;
    switch (command.exportAs.value_or(ExportFormat::CArray)) {
    case ExportFormat::CArray:
        text = ToCArray(*buffer, range, reporter);
        break;
    case ExportFormat::AssemblerArray:
        text = ToAssemblerArray(*buffer, range, reporter);
        break;
    case ExportFormat::HtmlPage:
        text = ToHtmlPage(*buffer, range, command.title.value_or(buffer->Descriptions().EditorCaption()),
                          reporter);
        break;
    }
    return Emit(text, io, reporter);
}

} // namespace zav
