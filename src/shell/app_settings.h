#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "buffer/colour.h"
#include "sequences/program_settings.h"

namespace zav {

struct WindowBounds {
    int left = 0;
    int top = 0;
    int height = 0;
    int width = 0;

    bool operator==(const WindowBounds&) const = default;
};

// The hex editor's and the description window's geometry as the settings keep it.
// The editor's default size is its design client area; the GUI adds its own frame.
struct WindowLayout {
    WindowBounds editor{32, 43, 268, 545};
    int editorPaneWidth = 365;
    bool editorVisible = false;
    WindowBounds description{69, 71, 283, 370};
    bool descriptionVisible = false;

    bool operator==(const WindowLayout&) const = default;
};

// The editor's two pane fonts (kept by name; the GUI asks for a fixed-pitch face) and colours.
struct EditorOptions {
    std::string leftFont = "System";
    std::string rightFont = "Terminal";
    EditorColours colours;

    bool operator==(const EditorOptions&) const = default;
};

// Everything the settings file keeps.
struct AppSettings {
    WindowBounds mainWindow{6, 49, 263, 552};
    WindowLayout layout;
    EditorOptions editor;
    ProgramSettings program;

    bool operator==(const AppSettings&) const = default;
};

// A stored number outside what its setting can take, and the nearest limit used instead.
struct SettingOutOfRange {
    std::string key;
    std::string value;
    int low = 0;
    int high = 0;
    int used = 0;

    bool operator==(const SettingOutOfRange&) const = default;
};

// The value of the last line whose text before its first "=" equals the key, compared
// without regard to case; empty when there is no such line.
[[nodiscard]] std::string FindSettingValue(const std::vector<std::string>& lines, std::string_view key);

// Splits a file's text into lines at CR LF, LF or CR.
[[nodiscard]] std::vector<std::string> SplitSettingsLines(std::string_view text);

// Applies the file's text over `settings` key by key, in the file's key order. A value that is
// not an integer where one is expected stops the reading at that key and returns the
// conversion error; what was applied before stays, and the editor geometry and colours, which
// take effect in one step each, are then left as they were unless their step was reached.
// With `failedKey`, it receives the key whose value stopped the reading. A window coordinate,
// size or the delay outside its limits takes the nearest limit, listed in `outOfRange`.
[[nodiscard]] std::optional<std::string>
ApplySettingsText(std::string_view text, AppSettings& settings, std::string* failedKey = nullptr,
                  std::vector<SettingOutOfRange>* outOfRange = nullptr);

// The file's text: one KEY=value line per key, CR LF ends, empty values left out.
[[nodiscard]] std::string FormatSettingsText(const AppSettings& settings);

// "Reset to Default" and the recent-file list: a path opened successfully moves to the front.
void AddRecentFile(ProgramSettings& settings, const std::string& path);

} // namespace zav
