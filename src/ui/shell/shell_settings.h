#pragma once

#include <QObject>

#include <filesystem>
#include <vector>

#include "shell/settings_file.h"
#include "ui/shell/shell_core.h"

class QAction;

namespace zav {

struct ScreenRect;
struct WindowBounds;
struct WindowLayout;

// The settings file as the main window keeps it: read once after construction, every window
// placed on a screen present, written back at close, and Tools > Reset to Default.
class ShellSettings final : public QObject {
    Q_OBJECT

public:
    ShellSettings(const ShellCore& core, std::filesystem::path settingsFile);

    [[nodiscard]] QAction* ResetAction() const { return reset_; }
    // Reads the settings file and applies it to the windows; what it found wrong is told by
    // Tell, once the windows stand where they belong.
    [[nodiscard]] SettingsFileReport ReadAndApply();
    void Tell(const SettingsFileReport& report);
    // At close: the windows' places and the editor's options, unless Reset to Default forbade it.
    void SaveAtClose();

signals:
    // Reset to Default was confirmed: the program ends and starts afresh from the defaults.
    void ResetConfirmed();

private:
    void ResDefSetExecute();
    // The file may come from a desktop with another monitor, or be damaged: every window goes
    // onto a screen present, title bar reachable.
    void PlaceMainWindow(WindowBounds& main, const std::vector<ScreenRect>& screens);
    // Windows never placed (a first start) go beside the main window, not over it.
    void PlaceEditorWindows(WindowLayout& layout, const WindowBounds& main,
                            const std::vector<ScreenRect>& screens);
    void PlaceDescriptionBesideEditor(WindowLayout& layout, const std::vector<ScreenRect>& screens);

    ShellCore core_;
    std::filesystem::path settingsFile_;
    QAction* reset_;
};

} // namespace zav
