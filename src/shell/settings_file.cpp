#include "shell/settings_file.h"

#include <fstream>
#include <iterator>
#include <system_error>

#include "files/regular_file_input.h"
#include "files/safe_file_writer.h"
#include "messages/message_boxes.h"

namespace zav {

void LoadSettingsFile(const std::filesystem::path& path, AppSettings& settings, MessageBoxes& boxes)
{
    std::ifstream file;
    std::string kind;
    // Read at start-up on the window's thread, which a FIFO in its place must not hold up.
    if (!OpenRegularFile(path, file, kind)) {
        if (!kind.empty()) boxes.ShowError(path.string() + " is " + kind + ", not a regular file: the settings are not read.");
        return;
    }
    const std::string text((std::istreambuf_iterator<char>(file)), std::istreambuf_iterator<char>());
    if (const auto error = ApplySettingsText(text, settings)) boxes.ShowError(*error);
}

bool SaveSettingsFile(const std::filesystem::path& path, const AppSettings& settings)
{
    std::error_code error;
    if (path.has_parent_path()) std::filesystem::create_directories(path.parent_path(), error);
    std::string failure;
    return WriteFileSafely(path, FormatSettingsText(settings), failure, Durability::Synced, Waiting::Never);
}

} // namespace zav
