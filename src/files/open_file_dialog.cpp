#include "files/open_file_dialog.h"

#include <algorithm>
#include <fstream>

#include "buffer/numeric_helpers.h"
#include "files/buffer_file_loader.h"
#include "files/detect_file_formats.h"
#include "files/file_format.h"
#include "files/regular_file_input.h"
#include "messages/message_boxes.h"
#include "messages/status_sink.h"

namespace zav {

namespace {

constexpr char kBadOffset[] = "To Enter Address Value in Hexadecimal format prefix 0x must be use.";

// The formats offered for a file, from its first bytes; nothing, after the message, when it
// cannot be read. Only regular files are opened: the window's thread must never wait on a
// FIFO or a device.
std::optional<std::vector<std::string>> DetectFormatsOfFile(const std::string& path, MessageBoxes& boxes)
{
    std::ifstream file;
    std::string kind;
    std::string start(kFormatDetectionLength, '\0');
    if (OpenRegularFile(path, file, kind)) file.read(start.data(), static_cast<std::streamsize>(start.size()));
    if (!file.is_open() || file.bad()) {
        boxes.ShowError(NotLoadableText(path, kind));
        return std::nullopt;
    }
    start.resize(static_cast<std::size_t>(file.gcount()));
    return DetectFileFormats(start);
}

} // namespace

std::vector<std::string> OpenFileDialog::RecentEntryCaptions(const std::vector<std::string>& recentFiles)
{
    std::vector<std::string> captions;
    captions.reserve(recentFiles.size());
    for (std::size_t i = 0; i < recentFiles.size(); ++i)
        captions.push_back(std::to_string(i) + " " + recentFiles[i]);
    return captions;
}

std::string OpenFileDialog::PathOfRecentEntry(std::string_view caption)
{
    const std::size_t blank = caption.find(' ');
    return blank == std::string_view::npos ? std::string() : std::string(caption.substr(blank + 1));
}

bool OpenFileDialog::ChoosePath(std::string path, MessageBoxes& boxes)
{
    SetPath(std::move(path));
    okEnabled_ = false;
    auto formats = DetectFormatsOfFile(Path(), boxes);
    if (!formats) return false;
    okEnabled_ = true;
    formats_ = std::move(*formats);
    formatIndex_ = formats_.empty() ? -1 : 0;
    return true;
}

std::optional<LoadOptions> OpenFileDialog::Options(MessageBoxes& boxes) const
{
    LoadOptions options;
    options.clearMode = clearMode_;
    if (Whole()) return options;
    const std::int32_t low = ParseNumberText(LowText(), boxes);
    if (low < 0) return std::nullopt;
    const std::int32_t high = ParseNumberText(HighText(), boxes);
    if (high < 0) return std::nullopt;
    const auto offset = StringToInt(offsetText_);
    if (!offset) {
        boxes.ShowError(kBadOffset);
        return std::nullopt;
    }
    options.lowFileAddress = static_cast<std::uint32_t>(std::min(low, high));
    options.highFileAddress = static_cast<std::uint32_t>(std::max(low, high));
    options.offset = *offset;
    return options;
}

OpenResult OpenFileDialog::Ok(MemoryBuffer& buffer, StatusSink& status, MessageBoxes& boxes)
{
    if (!okEnabled_ || formatIndex_ < 0 || formatIndex_ >= static_cast<int>(formats_.size())) {
        return OpenResult::Refused;
    }
    const auto options = Options(boxes);
    if (!options) return OpenResult::Refused;
    const auto format = FileFormatFromDisplayName(formats_[static_cast<std::size_t>(formatIndex_)]);
    if (!format) return OpenResult::Refused;
    if (!LoadBufferFile(Path(), *format, *options, buffer, status, boxes)) {
        okEnabled_ = false;
        return OpenResult::Failed;
    }
    status.AddStatusMessage("Read file complete", StatusKind::Normal);
    return OpenResult::Loaded;
}

} // namespace zav
