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

ShellSettings::ShellSettings(QWidget& window, THexEdit& editor, MainWindowFlow& flow, StatusWin& status,
                             MessageBoxes& boxes, std::filesystem::path settingsFile)
    : QObject(&window),
      window_(window),
      editor_(editor),
      flow_(flow),
      status_(status),
      boxes_(boxes),
      settingsFile_(std::move(settingsFile)),
      reset_(NewShellCommand(window, "ResDefSet", QStringLiteral("Reset to Default"), "edit-clear", QString()))
{
    OnTriggered(reset_, this, window, [this] { ResDefSetExecute(); });
}

SettingsFileReport ShellSettings::ReadAndApply()
{
    AppSettings& settings = flow_.Settings();
    settings.editor = editor_.GetEditorOptions();
    SettingsFileReport report = ReadSettingsFile(settingsFile_, settings);
    const std::vector<ScreenRect> screens = AvailableScreens();
    PlaceMainWindow(settings.mainWindow, screens);
    PlaceEditorWindows(settings.layout, settings.mainWindow, screens);
    editor_.ApplyEditorOptions(settings.editor);
    return report;
}

void ShellSettings::Tell(const SettingsFileReport& report)
{
    for (const std::string& warning : report.warnings) status_.AddStatusMessage(warning, StatusKind::Warning);
    // The box comes only now: a box over the window before it is placed would create the
    // window, and a window system then takes the later move as the inner position.
    if (report.error) boxes_.ShowError(*report.error);
}

void ShellSettings::PlaceMainWindow(WindowBounds& main, const std::vector<ScreenRect>& screens)
{
    main = FitWindowOnScreens(main, StoredCorner::Frame, FrameMarginsOf(window_), screens);
    window_.move(main.left, main.top);
    window_.resize(main.width, main.height);
}

void ShellSettings::PlaceEditorWindows(WindowLayout& layout, const WindowBounds& main,
                                       const std::vector<ScreenRect>& screens)
{
    const WindowLayout defaults;
    const bool editorNeverPlaced = layout.editor == defaults.editor;
    const bool descriptionNeverPlaced = layout.description == defaults.description;
    layout.editor = FitWindowOnScreens(layout.editor, StoredCorner::Client, FrameMarginsOf(editor_), screens);
    // Neither editor window has been shown yet: the description window's frame is the
    // editor's, and asking for it would build a window nobody may open.
    layout.description =
        FitWindowOnScreens(layout.description, StoredCorner::Client, FrameMarginsOf(editor_), screens);
    editor_.SetWindowLayout(layout);
    if (editorNeverPlaced) {
        const FrameMargins frame = FrameMarginsOf(window_);
        PlaceBeside(editor_, {main.left, main.top, main.width + frame.left + frame.right,
                              main.height + frame.top + frame.bottom});
    }
    if (descriptionNeverPlaced) PlaceDescriptionBesideEditor(layout, screens);
}

void ShellSettings::PlaceDescriptionBesideEditor(WindowLayout& layout, const std::vector<ScreenRect>& screens)
{
    // Placed by its stored bounds, with the editor's frame as its own, like its fit: the
    // window itself is built only when first asked for.
    const QRect editor = editor_.geometry();
    layout.editor = {editor.x(), editor.y(), editor.height(), editor.width()};
    const FrameMargins frame = FrameMarginsOf(editor_);
    WindowBounds& description = layout.description;
    const ScreenPoint corner =
        FramePositionBeside(FrameAround(editor_, layout.editor), description.width + frame.left + frame.right,
                            description.height + frame.top + frame.bottom, screens);
    description.left = corner.left + frame.left;
    description.top = corner.top + frame.top;
    editor_.SetWindowLayout(layout);
}

void ShellSettings::SaveAtClose()
{
    if (flow_.SuppressSettingsSave()) return;
    AppSettings& settings = flow_.Settings();
    settings.mainWindow = {window_.x(), window_.y(), window_.height(), window_.width()};
    settings.layout = editor_.GetWindowLayout();
    settings.editor = editor_.GetEditorOptions();
    std::string failure;
    // Told once; the close goes on and the old file stays as it was.
    if (!SaveSettingsFile(settingsFile_, settings, failure)) {
        boxes_.ShowOk(SettingsNotSavedText(settingsFile_, failure), "Warning", BoxKind::Warning);
    }
}

void ShellSettings::ResDefSetExecute()
{
    if (flow_.ResetToDefault(boxes_, settingsFile_)) emit ResetConfirmed();
}

} // namespace zav
