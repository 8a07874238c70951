#include "files/input_format_choice.h"

#include <algorithm>
#include <array>

namespace zav {

namespace {

struct ExtensionFormat {
    std::string_view extension;
    FileFormat format;
};

constexpr std::array<ExtensionFormat, 5> kExtensions{{
    {".zef", FileFormat::ExtendedFormat},
    {".s19", FileFormat::MotorolaS},
    {".bin", FileFormat::Binary},
    {".hex", FileFormat::IntelHex},
    {".ihex", FileFormat::IntelHex},
}};

// The name's extension with its dot, lower-cased; empty when the last part has none.
std::string ExtensionOf(std::string_view path)
{
    const std::size_t slash = path.find_last_of('/');
    const std::string_view name = slash == std::string_view::npos ? path : path.substr(slash + 1);
    const std::size_t dot = name.find_last_of('.');
    if (dot == std::string_view::npos || dot == 0) return {};
    std::string extension(name.substr(dot));
    std::transform(extension.begin(), extension.end(), extension.begin(),
                   [](char c) { return (c >= 'A' && c <= 'Z') ? static_cast<char>(c - 'A' + 'a') : c; });
    return extension;
}

} // namespace

std::optional<FileFormat> FileFormatFromExtension(std::string_view path)
{
    const std::string extension = ExtensionOf(path);
    for (const ExtensionFormat& entry : kExtensions) {
        if (entry.extension == extension) return entry.format;
    }
    return std::nullopt;
}

InputFormatChoice ChooseInputFormat(std::string_view path, const std::vector<std::string>& offered)
{
    if (const auto named = FileFormatFromExtension(path)) {
        const std::string_view name = FileFormatDisplayName(*named);
        if (std::find(offered.begin(), offered.end(), name) != offered.end())
            return {*named, FormatReason::Extension};
    }
    const auto first = offered.empty() ? std::nullopt : FileFormatFromDisplayName(offered.front());
    return {first.value_or(FileFormat::Binary), FormatReason::Detected};
}

std::string DescribeInputFormat(const InputFormatChoice& choice, std::string_view path)
{
    std::string text = "Format : " + std::string(FileFormatDisplayName(choice.format));
    switch (choice.reason) {
    case FormatReason::Chosen:
        return text + " (as chosen)";
    case FormatReason::Extension:
        return text + " (by the extension " + ExtensionOf(path) + ")";
    case FormatReason::Detected:
        break;
    }
    return text + " (detected)";
}

} // namespace zav
