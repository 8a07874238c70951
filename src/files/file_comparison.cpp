#include "files/file_comparison.h"

#include <fstream>

#include "buffer/memory_buffer.h"
#include "devices/device_catalogue.h"
#include "files/buffer_file_access.h"
#include "files/detect_file_formats.h"
#include "files/input_format_choice.h"
#include "files/regular_file_input.h"
#include "messages/message_boxes.h"
#include "messages/status_sink.h"

namespace zav {

std::vector<CellDifference> CompareImages(const ComparedImage& first, const ComparedImage& second,
                                          const std::vector<AddressRange>& ranges)
{
    const auto gives = [](const ComparedImage& image, std::int32_t address) {
        const auto index = static_cast<std::size_t>(address);
        return index < image.given.size() && image.given[index];
    };
    std::vector<CellDifference> differences;
    for (const AddressRange& range : ranges) {
        for (std::int32_t address = range.first; address <= range.last; ++address) {
            const bool inFirst = gives(first, address);
            const bool inSecond = gives(second, address);
            if (!inFirst && !inSecond) continue;
            const std::uint8_t expected = first.buffer.GetByte(address);
            const std::uint8_t other = second.buffer.GetByte(address);
            if (inFirst == inSecond && expected == other) continue;
            differences.push_back({address, expected, other});
        }
    }
    return differences;
}

std::vector<AddressRange> ComparedRanges(const std::optional<std::string>& device)
{
    if (device) {
        if (const DeviceInfo* info = DeviceCatalogue::FindDevice(*device)) {
            return {info->implementedRanges.begin(), info->implementedRanges.end()};
        }
    }
    return {{0, MemoryBuffer::kLastAddress}};
}

std::optional<ComparedFile> LoadFileToCompare(const std::string& path,
                                              const std::optional<std::string>& device, StatusSink& status,
                                              MessageBoxes& boxes)
{
    std::ifstream file;
    std::string kind;
    std::string start(kFormatDetectionLength, '\0');
    if (OpenRegularFile(path, file, kind))
        file.read(start.data(), static_cast<std::streamsize>(start.size()));
    if (!file.is_open() || file.bad()) {
        boxes.ShowError(NotLoadableText(path, kind));
        return std::nullopt;
    }
    start.resize(static_cast<std::size_t>(file.gcount()));
    file.clear();
    file.seekg(0);

    ComparedFile compared;
    compared.buffer = CreateToolBuffer(device, boxes);
    if (!compared.buffer) return std::nullopt;
    const InputFormatChoice choice = ChooseInputFormat(path, DetectFileFormats(start));
    status.AddStatusMessage(DescribeInputFormat(choice, path), StatusKind::Normal);
    if (!LoadBufferStream(file, path, choice.format, LoadOptions{}, *compared.buffer, status,
                          &compared.given)) {
        return std::nullopt;
    }
    return compared;
}

} // namespace zav
