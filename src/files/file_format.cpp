#include "files/file_format.h"

#include <array>

namespace zav {

namespace {

struct FormatNames {
    FileFormat format;
    std::string_view displayName;
    std::string_view extension;
};

constexpr std::array<FormatNames, 4> kFormats{{
    {FileFormat::ExtendedFormat, "ZAV Extended Format", "zef"},
    {FileFormat::MotorolaS, "Motorola S", "s19"},
    {FileFormat::Binary, "Binary", "bin"},
    {FileFormat::IntelHex, "Intel HEX", "hex"},
}};

const FormatNames& NamesOf(FileFormat format)
{
    for (const auto& names : kFormats) {
        if (names.format == format) return names;
    }
    return kFormats.front();
}

} // namespace

std::string_view FileFormatDisplayName(FileFormat format)
{
    return NamesOf(format).displayName;
}

std::string_view FileFormatExtension(FileFormat format)
{
    return NamesOf(format).extension;
}

std::optional<FileFormat> FileFormatFromDisplayName(std::string_view name)
{
    for (const auto& names : kFormats) {
        if (names.displayName == name) return names.format;
    }
    return std::nullopt;
}

FileFormat FileFormatFromFilterIndex(int filterIndex)
{
    switch (filterIndex) {
    case 2:
        return FileFormat::MotorolaS;
    case 3:
        return FileFormat::Binary;
    case 5:
        return FileFormat::IntelHex;
    default:
        return FileFormat::ExtendedFormat;
    }
}

} // namespace zav
