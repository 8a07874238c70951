#include "ui/shell/shell_settings.h"

#include <QAction>
#include <QWidget>

#include "messages/message_boxes.h"
#include "shell/main_window_flow.h"
#include "ui/buffer/hex_edit_window.h"
#include "ui/shell/screen_placement.h"
#include "ui/shell/shell_command.h"
#include "ui/shell/status_win.h"

namespace zav {

ShellSettings::ShellSettings(const ShellCore& core, std::filesystem::path settingsFile)
    : QObject(&core.window), core_(core), settingsFile_(std::move(settingsFile)),
      reset_(NewShellCommand(core.window, "ResDefSet", QStringLiteral("Reset to Default"), "edit-clear",
                             QString()))
{
    OnTriggered(reset_, this, core.window, [this] { ResDefSetExecute(); });
}

SettingsFileReport ShellSettings::ReadAndApply()
{
    AppSettings& settings = core_.flow.Settings();
    settings.editor = core_.editor.GetEditorOptions();
    SettingsFileReport report = ReadSettingsFile(settingsFile_, settings);
    const std::vector<ScreenRect> screens = AvailableScreens();
    PlaceMainWindow(settings.mainWindow, screens);
    PlaceEditorWindows(settings.layout, settings.mainWindow, screens);
    core_.editor.ApplyEditorOptions(settings.editor);
    return report;
}

void ShellSettings::Tell(const SettingsFileReport& report)
{
    for (const std::string& warning : report.warnings)
        core_.status.AddStatusMessage(warning, StatusKind::Warning);
    // The box comes only now: a box over the window before it is placed would create the
    // window, and a window system then takes the later move as the inner position.
    if (report.error) core_.boxes.ShowError(*report.error);
}

void ShellSettings::PlaceMainWindow(WindowBounds& main, const std::vector<ScreenRect>& screens)
{
    main = FitWindowOnScreens(main, StoredCorner::Frame, FrameMarginsOf(core_.window), screens);
    core_.window.move(main.left, main.top);
    core_.window.resize(main.width, main.height);
}

void ShellSettings::PlaceEditorWindows(WindowLayout& layout, const WindowBounds& main,
                                       const std::vector<ScreenRect>& screens)
{
    const WindowLayout defaults;
    const bool editorNeverPlaced = layout.editor == defaults.editor;
    const bool descriptionNeverPlaced = layout.description == defaults.description;
    layout.editor =
        FitWindowOnScreens(layout.editor, StoredCorner::Client, FrameMarginsOf(core_.editor), screens);
    // Neither editor window has been shown yet: the description window's frame is the
    // editor's, and asking for it would build a window nobody may open.
    layout.description =
        FitWindowOnScreens(layout.description, StoredCorner::Client, FrameMarginsOf(core_.editor), screens);
    core_.editor.SetWindowLayout(layout);
    if (editorNeverPlaced) {
        const FrameMargins frame = FrameMarginsOf(core_.window);
        PlaceBeside(core_.editor, {main.left, main.top, main.width + frame.left + frame.right,
                                   main.height + frame.top + frame.bottom});
    }
    if (descriptionNeverPlaced) PlaceDescriptionBesideEditor(layout, screens);
}

void ShellSettings::PlaceDescriptionBesideEditor(WindowLayout& layout, const std::vector<ScreenRect>& screens)
{
    // Placed by its stored bounds, with the editor's frame as its own, like its fit: the
    // window itself is built only when first asked for.
    const QRect editor = core_.editor.geometry();
    layout.editor = {editor.x(), editor.y(), editor.height(), editor.width()};
    const FrameMargins frame = FrameMarginsOf(core_.editor);
    WindowBounds& description = layout.description;
    const ScreenPoint corner = FramePositionBeside(FrameAround(core_.editor, layout.editor),
                                                   description.width + frame.left + frame.right,
                                                   description.height + frame.top + frame.bottom, screens);
    description.left = corner.left + frame.left;
    description.top = corner.top + frame.top;
    core_.editor.SetWindowLayout(layout);
}

void ShellSettings::SaveAtClose()
{
    if (core_.flow.SuppressSettingsSave()) return;
    AppSettings& settings = core_.flow.Settings();
    settings.mainWindow = {core_.window.x(), core_.window.y(), core_.window.height(), core_.window.width()};
    settings.layout = core_.editor.GetWindowLayout();
    settings.editor = core_.editor.GetEditorOptions();
    std::string failure;
    // Told once; the close goes on and the old file stays as it was.
    if (!SaveSettingsFile(settingsFile_, settings, failure)) {
        core_.boxes.ShowOk(SettingsNotSavedText(settingsFile_, failure), "Warning", BoxKind::Warning);
    }
}

void ShellSettings::ResDefSetExecute()
{
    if (core_.flow.ResetToDefault(core_.boxes, settingsFile_)) emit ResetConfirmed();
}

} // namespace zav
