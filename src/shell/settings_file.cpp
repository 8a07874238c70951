#include "shell/settings_file.h"

#include <fstream>
#include <iterator>
#include <system_error>

#include "shell/message_boxes.h"

namespace zav {

void LoadSettingsFile(const std::filesystem::path& path, AppSettings& settings, MessageBoxes& boxes)
{
    std::ifstream file(path, std::ios::binary);
    if (!file) return;
    const std::string text((std::istreambuf_iterator<char>(file)), std::istreambuf_iterator<char>());
    if (const auto error = ApplySettingsText(text, settings)) boxes.ShowError(*error);
}

bool SaveSettingsFile(const std::filesystem::path& path, const AppSettings& settings)
{
    std::error_code error;
    if (path.has_parent_path()) std::filesystem::create_directories(path.parent_path(), error);
    std::filesystem::path temporary = path;
    temporary += ".new";
    {
        std::ofstream file(temporary, std::ios::binary | std::ios::trunc);
        const std::string text = FormatSettingsText(settings);
        file.write(text.data(), static_cast<std::streamsize>(text.size()));
        file.close();
        if (!file) {
            std::filesystem::remove(temporary, error);
            return false;
        }
    }
    std::filesystem::rename(temporary, path, error);
    if (error) {
        std::filesystem::remove(temporary, error);
        return false;
    }
    return true;
}

} // namespace zav
