#include "shell/settings_file.h"

#include <system_error>

#include "files/safe_file_writer.h"
#include "files/small_file_reader.h"
#include "messages/printable_text.h"
#include "shell/settings_text_check.h"

namespace zav {

SettingsFileReport ReadSettingsFile(const std::filesystem::path& path, AppSettings& settings)
{
    SettingsFileReport report;
    std::string problem;
    const std::optional<std::string> text = ReadSmallRegularFile(path, problem);
    if (!text) {
        if (!problem.empty()) {
            report.warnings.push_back(path.string() + " is not read: " + problem +
                                      "; the defaults are used.");
        }
        return report;
    }
    for (const std::string& finding : CheckSettingsText(*text))
        report.warnings.push_back(PrintableText(path.string()) + ": " + finding + ".");
    std::vector<SettingOutOfRange> outOfRange;
    report.error = ApplySettingsText(*text, settings, &report.errorKey, &outOfRange);
    for (const SettingOutOfRange& setting : outOfRange) {
        report.warnings.push_back(path.string() + ": " + setting.key + "=" + setting.value +
                                  " is out of range (" + std::to_string(setting.low) + " to " +
                                  std::to_string(setting.high) + "); " + std::to_string(setting.used) +
                                  " is used instead.");
    }
    return report;
}

bool SaveSettingsFile(const std::filesystem::path& path, const AppSettings& settings, std::string& failure)
{
    std::error_code error;
    if (path.has_parent_path() && !std::filesystem::is_directory(path.parent_path(), error) &&
        !std::filesystem::create_directories(path.parent_path(), error) && error) {
        failure = error.message();
        return false;
    }
    // Written at close on the window's thread, which a FIFO in its place must not hold up.
    return WriteFileSafely(path, FormatSettingsText(settings), failure, {.waiting = Waiting::Never});
}

std::string SettingsNotSavedText(const std::filesystem::path& path, const std::string& failure)
{
    return "The settings could not be saved to " + path.string() + ": " + failure + ".";
}

} // namespace zav
