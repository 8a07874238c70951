#include "files/detect_file_formats.h"

#include "files/file_format.h"
#include "files/record_hex.h"

namespace zav {

namespace {

bool IsHexDigit(char c)
{
    return (c >= '0' && c <= '9') || (c >= 'A' && c <= 'F') || (c >= 'a' && c <= 'f');
}

// An Intel HEX file opens with a record: ":" and the hex digits of its count.
bool StartsWithIntelHexRecord(std::string_view fileStart)
{
    const std::string_view text = record_hex::StripLeadingControls(fileStart);
    return text.size() >= 3 && text[0] == ':' && IsHexDigit(text[1]) && IsHexDigit(text[2]);
}

} // namespace

std::vector<std::string> DetectFileFormats(std::string_view fileStart)
{
    std::vector<std::string> names;
    if (StartsWithIntelHexRecord(fileStart)) {
        names.emplace_back(FileFormatDisplayName(FileFormat::IntelHex));
    }
    for (std::size_t i = 0; i + 1 < fileStart.size(); ++i) {
        const char tag = fileStart[i];
        const char digit = fileStart[i + 1];
        if ((tag == 'X' || tag == 'x') && std::string_view("01237").find(digit) != std::string_view::npos) {
            names.emplace_back(FileFormatDisplayName(FileFormat::ExtendedFormat));
            break;
        }
        if ((tag == 'S' || tag == 's') && std::string_view("012").find(digit) != std::string_view::npos) {
            names.emplace_back(FileFormatDisplayName(FileFormat::MotorolaS));
            break;
        }
    }
    names.emplace_back(FileFormatDisplayName(FileFormat::Binary));
    return names;
}

} // namespace zav
