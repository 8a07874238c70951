#include "platform/settings_directory.h"

#include <algorithm>
#include <optional>
#include <utility>

#include "files/small_file_reader.h"
#include "files/user_folders.h"
#include "messages/printable_text.h"

namespace zav {

std::filesystem::path SettingsDirectory()
{
    // Without any home the settings stay with the working folder, as before: the program
    // still starts, and the ports map there is honoured rather than passed over.
    const std::optional<std::filesystem::path> base = XdgBaseFolder("XDG_CONFIG_HOME", ".config");
    return (base ? *base : std::filesystem::current_path()) / "zav";
}

PortsMap LoadPortsMap()
{
    return LoadPortsMap(SettingsDirectory() / "ports");
}

PortsMap LoadPortsMap(const std::filesystem::path& file)
{
    std::string problem;
    const std::optional<std::string> text = ReadSmallRegularFile(file, problem);
    if (text) return PortsMap::Parse(*text);
    PortsMap unread;
    if (!problem.empty()) {
        unread.SetFileError("the ports map " + PrintableText(file.string()) + " cannot be read: " +
                            PrintableText(problem) + "; no port is opened until it is mended or removed.");
    }
    return unread;
}

std::vector<std::string> PortsMapLineWarnings(const PortsMap& map, const std::filesystem::path& file)
{
    const std::string where = PrintableText(file.string()) + ": line ";
    std::vector<std::pair<int, std::string>> numbered;
    for (const PortsMap::UnreadableLine& line : map.UnreadableLines()) {
        numbered.emplace_back(line.number, where + std::to_string(line.number) + " not read: " +
                                               PrintableText(line.text) + " (" + line.reason + ")");
    }
    for (const PortsMap::RepeatedName& repeated : map.RepeatedNames()) {
        numbered.emplace_back(repeated.line, where + std::to_string(repeated.line) + ": " + repeated.name +
                                                 " is mapped again; this line is used, not line " +
                                                 std::to_string(repeated.earlierLine));
    }
    std::stable_sort(numbered.begin(), numbered.end(),
                     [](const auto& a, const auto& b) { return a.first < b.first; });
    // A file of thousands of such lines (a binary put there by mistake) gets one line for
    // the rest rather than a screenful each start.
    constexpr std::size_t kLinesNamed = 20;
    std::vector<std::string> warnings;
    for (std::size_t i = 0; i < numbered.size() && i < kLinesNamed; ++i)
        warnings.push_back(std::move(numbered[i].second));
    if (numbered.size() > kLinesNamed) {
        warnings.push_back(PrintableText(file.string()) + ": " +
                           std::to_string(numbered.size() - kLinesNamed) +
                           " more lines not read or mapping a port again");
    }
    return warnings;
}

} // namespace zav
