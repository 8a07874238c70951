#include "cli/tool_files.h"

#include <cerrno>
#include <cstring>

#include "buffer/memory_buffer.h"
#include "cli/progress_bar.h"
#include "cli/tool_input.h"
#include "files/buffer_file_content.h"
#include "files/buffer_file_saver.h"
#include "files/detect_file_formats.h"
#include "files/input_format_choice.h"
#include "messages/message_boxes.h"
#include "messages/status_sink.h"

namespace zav {

namespace {

constexpr const char* kStandardStream = "-";

std::unique_ptr<ToolInput> OpenInput(const std::string& path, MessageBoxes& boxes)
{
    std::string failure;
    std::unique_ptr<ToolInput> input = ToolInput::Open(path, failure);
    if (!input) boxes.ShowError("File not Accessible or not Exist!\n" + path + ": " + failure);
    return input;
}

// The Error line for a load that falls short of the demands; empty when it meets them.
std::string ShortfallText(const std::string& name, const LoadReport& report, const ToolLoadDemands& demands)
{
    if (demands.everything && report.DataDropped()) {
        std::string text = name + " would lose data: " + report.LostText() + demands.untouched;
        if (report.BytesOutsideBuffer() > 0) text += " (--load-range LOW:HIGH takes only the part that fits)";
        return text;
    }
    if (demands.someData && report.bytesLoaded == 0) return "No data loaded from " + name + demands.untouched;
    return {};
}

} // namespace

bool LoadToolInput(const std::string& path, std::optional<FileFormat> chosen, const LoadOptions& options,
                   MemoryBuffer& buffer, StatusSink& status, MessageBoxes& boxes, ProgressBar* progress,
                   LoadCoverage* coverage, const ToolLoadDemands& demands,
                   std::optional<std::uint32_t>* crc32)
{
    const std::unique_ptr<ToolInput> input = OpenInput(path, boxes);
    if (!input) return false;
    const std::string& start = input->Start(kFormatDetectionLength);
    if (!input->ReadFailure().empty()) {
        boxes.ShowError("File not Accessible or not Exist!\n" + path + ": " + input->ReadFailure());
        return false;
    }
    InputFormatChoice choice{chosen.value_or(FileFormat::Binary), FormatReason::Chosen};
    if (!chosen) choice = ChooseInputFormat(path == kStandardStream ? "" : path, DetectFileFormats(start));
    status.AddStatusMessage(DescribeInputFormat(choice, path), StatusKind::Normal);

    if (progress != nullptr) {
        progress->Begin("Loading", input->Size() ? static_cast<std::int64_t>(*input->Size()) : 0);
        input->OnChunkRead([&] { progress->Move(static_cast<std::int64_t>(input->BytesRead())); });
    }
    LoadReport report;
    const bool read = LoadBufferStream(input->Stream(), input->Name(), choice.format, options, buffer, status,
                                       coverage, &report) &&
                      (crc32 == nullptr || input->ReadToEnd());
    if (progress != nullptr) progress->End();
    if (!read) {
        if (!input->ReadFailure().empty())
            status.AddStatusMessage(input->Name() + ": " + input->ReadFailure(), StatusKind::Error);
        return false;
    }
    if (const std::string shortfall = ShortfallText(input->Name(), report, demands); !shortfall.empty()) {
        status.AddStatusMessage(shortfall, StatusKind::Error);
        return false;
    }
    if (crc32 != nullptr) *crc32 = input->Crc32();
    status.AddStatusMessage("Read file complete", StatusKind::Normal);
    return true;
}

std::optional<std::vector<std::string>> DetectToolInput(const std::string& path, MessageBoxes& boxes)
{
    const std::unique_ptr<ToolInput> input = OpenInput(path, boxes);
    if (!input) return std::nullopt;
    const std::string& start = input->Start(kFormatDetectionLength);
    if (!input->ReadFailure().empty()) {
        boxes.ShowError("File not Accessible or not Exist!\n" + path + ": " + input->ReadFailure());
        return std::nullopt;
    }
    return DetectFileFormats(start);
}

FileFormat ToolOutputFormat(const std::string& path, std::optional<FileFormat> chosen)
{
    if (chosen) return *chosen;
    if (path == kStandardStream) return FileFormat::ExtendedFormat;
    return FileFormatFromExtension(path).value_or(FileFormat::ExtendedFormat);
}

bool SaveToolOutput(const std::string& path, FileFormat format, const SaveOptions& options,
                    MemoryBuffer& buffer, StatusSink& status, std::ostream& standardOutput,
                    const SaveRules& rules)
{
    if (path != kStandardStream) return SaveBufferFile(path, format, options, buffer, status, rules);

    status.AddStatusMessage("Writing file : standard output", StatusKind::Normal);
    std::string content;
    std::string refusal;
    if (!FormatBufferFile(buffer, format, options, content, refusal)) {
        status.AddStatusMessage("Write file refused : standard output : " + refusal, StatusKind::Error);
        return false;
    }
    errno = 0;
    standardOutput.write(content.data(), static_cast<std::streamsize>(content.size()));
    standardOutput.flush();
    if (!standardOutput) {
        const std::string reason = errno != 0 ? std::strerror(errno) : "the write failed";
        status.AddStatusMessage("Write file failed : standard output : " + reason, StatusKind::Error);
        return false;
    }
    status.AddStatusMessage("Write file complete", StatusKind::Normal);
    buffer.MarkSaved();
    return true;
}

} // namespace zav
