#include "files/buffer_file_access.h"

#include <filesystem>
#include <fstream>

#include "buffer/memory_buffer.h"
#include "buffer/numeric_helpers.h"
#include "devices/apply_device_selection.h"
#include "devices/device_catalogue.h"
#include "devices/device_selection_view.h"
#include "files/buffer_file_loader.h"
#include "files/detect_file_formats.h"
#include "messages/message_boxes.h"
#include "messages/status_sink.h"

namespace zav {

namespace {

constexpr const char* kNotAccessible = "File not Accessible or not Exist!";

// Without windows there are no option buttons to enable and no editor to scroll.
class NoSelectionView final : public DeviceSelectionView {
public:
    void SetOptionEnabled(SequenceOption, bool) override {}
    void ShowAddressAtTop(std::int32_t) override {}
};

} // namespace

std::unique_ptr<MemoryBuffer> CreateToolBuffer(const std::optional<std::string>& device, MessageBoxes& boxes)
{
    std::unique_ptr<MemoryBuffer> buffer = MemoryBuffer::Create(boxes);
    if (!buffer) return buffer;
    NoSelectionView view;
    ApplyDeviceSelection(device.value_or(std::string(NoDeviceName)), *buffer, view);
    return buffer;
}

std::optional<std::vector<std::string>> DetectFormatsOfFile(const std::string& path, MessageBoxes& boxes)
{
    std::error_code ignored;
    std::ifstream file;
    if (!std::filesystem::is_directory(path, ignored)) file.open(path, std::ios::binary);
    if (!file.is_open()) {
        boxes.ShowError(kNotAccessible);
        return std::nullopt;
    }
    std::string start(kFormatDetectionLength, '\0');
    file.read(start.data(), static_cast<std::streamsize>(start.size()));
    if (file.bad()) {
        boxes.ShowError(kNotAccessible);
        return std::nullopt;
    }
    start.resize(static_cast<std::size_t>(file.gcount()));
    return DetectFileFormats(start);
}

bool LoadFileAsOpenDialog(const std::string& path, std::optional<FileFormat> format,
                          const LoadOptions& options, MemoryBuffer& buffer, StatusSink& status,
                          MessageBoxes& boxes)
{
    if (!format) {
        const auto offered = DetectFormatsOfFile(path, boxes);
        if (!offered) return false;
        format = FileFormatFromDisplayName(offered->front());
    }
    if (!format || !LoadBufferFile(path, *format, options, buffer, status, boxes)) return false;
    status.AddStatusMessage("Read file complete", StatusKind::Normal);
    return true;
}

FileFormat OutputFormatFor(const std::string& path, std::optional<FileFormat> chosen)
{
    if (chosen) return *chosen;
    std::string extension = std::filesystem::path(path).extension().string();
    for (char& c : extension) c = LowerCaseChar(c);
    if (extension == ".s19") return FileFormat::MotorolaS;
    if (extension == ".bin") return FileFormat::Binary;
    return FileFormat::ExtendedFormat;
}

} // namespace zav
