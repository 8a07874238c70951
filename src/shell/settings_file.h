#pragma once

#include <filesystem>

#include "shell/app_settings.h"

namespace zav {

class MessageBoxes;

inline constexpr const char* kSettingsFileName = "zozadav.ini";

// Reads the settings file over `settings`. A missing file leaves every default without a
// word; a bad integer shows its conversion error and keeps what was read before it.
void LoadSettingsFile(const std::filesystem::path& path, AppSettings& settings, MessageBoxes& boxes);

// Writes the file, creating its folder, through the safe file writer (a reader never sees
// half a file; links and owner survive). Returns false when it could not be written (the
// caller's close goes on).
bool SaveSettingsFile(const std::filesystem::path& path, const AppSettings& settings);

} // namespace zav
