#pragma once

#include <filesystem>
#include <optional>
#include <string>
#include <vector>

#include "shell/app_settings.h"

namespace zav {

inline constexpr const char* kSettingsFileName = "zozadav.ini";

// What reading the settings file met besides its values: warning lines for the message
// list (the file not read at all, binary data, a key given twice, a port of the wrong kind,
// a number out of range and the value used instead) and the conversion error that stopped
// the reading, with its key.
struct SettingsFileReport {
    std::vector<std::string> warnings;
    std::optional<std::string> error;
    std::string errorKey;
};

// Reads the settings file over `settings`. A missing file leaves every default without a
// word; a file that is not a regular file of at most 1 MiB is not read (one warning, all
// defaults); a bad integer stops the reading and keeps what was read before it.
[[nodiscard]] SettingsFileReport ReadSettingsFile(const std::filesystem::path& path, AppSettings& settings);

// Writes the file, creating its folder, through the safe file writer (a reader never sees
// half a file; links and owner survive). Returns false, with the system's reason in
// `failure`, when it could not be written (the caller's close goes on).
[[nodiscard]] bool SaveSettingsFile(const std::filesystem::path& path, const AppSettings& settings,
                                    std::string& failure);

// The box shown at close when the settings could not be saved.
[[nodiscard]] std::string SettingsNotSavedText(const std::filesystem::path& path, const std::string& failure);

} // namespace zav
