#include "files/detect_file_formats.h"

#include "files/file_format.h"

namespace zav {

std::vector<std::string> DetectFileFormats(std::string_view fileStart)
{
    std::vector<std::string> names;
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
