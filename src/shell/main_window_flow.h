#pragma once

#include <filesystem>
#include <functional>
#include <string>
#include <string_view>

#include "shell/app_settings.h"

namespace zav {

class MessageBoxes;

inline constexpr std::string_view kCloseQuestion = "Save buffer to file ?";
inline constexpr std::string_view kResetWarning =
    "All previous LPT,COM Port and Hex Editor settings will be lost !";

// The commands that need the programmer port and are refused, without a word, while a
// sequence or a port scan owns it.
enum class PortCommand { Print, PortsOptions, DeviceId, StartSequence };

// What a click on a Start button does: a press while the port is busy is undone (the button
// goes up again) and counts as a release, which stops that button's sequence.
struct StartButtonPlan {
    bool putButtonUp = false;
    bool start = false;

    bool operator==(const StartButtonPlan&) const = default;
};

// The main window's state and rules without the window: the port interlock, whether the
// buffer needs saving, the close question, Reset to Default, the Start buttons, the
// selected device and the settings it persists.
class MainWindowFlow {
public:
    MainWindowFlow();

    [[nodiscard]] AppSettings& Settings() { return settings_; }
    [[nodiscard]] const AppSettings& Settings() const { return settings_; }

    [[nodiscard]] bool PortIdle() const { return portIdle_; }
    void SetPortIdle(bool idle) { portIdle_ = idle; }
    [[nodiscard]] bool Allows(PortCommand command) const;

    [[nodiscard]] bool BufferSaved() const { return bufferSaved_; }
    // The save dialog closed; only OK means the buffer is saved.
    void SaveDialogClosed(bool accepted);

    // Whether closing or replacing the buffer would lose work: a read not saved since, or
    // edits still on the undo stack.
    [[nodiscard]] bool HasUnsavedWork(bool undoEmpty) const { return !bufferSaved_ || !undoEmpty; }
    // Before the buffer is closed or replaced (Exit, a load): asks "Save buffer to file ?"
    // when it holds unsaved work. Yes runs `save` (the save dialog, true when a file was
    // written) and goes on only after a save that succeeded; No goes on; Cancel keeps
    // everything. Returns whether the close or load may go on.
    [[nodiscard]] bool SettleUnsavedWork(bool undoEmpty, MessageBoxes& boxes, const std::function<bool()>& save);

    // After the warning is confirmed, deletes the settings file and suppresses the final
    // write, so the restarted program begins from the defaults. Returns whether to restart.
    bool ResetToDefault(MessageBoxes& boxes, const std::filesystem::path& settingsFile);
    [[nodiscard]] bool SuppressSettingsSave() const { return suppressSettingsSave_; }

    // Reading starts afresh, so its buffer needs saving; programming only reads the buffer.
    [[nodiscard]] StartButtonPlan ReadStartButtonClick(bool buttonDown);
    [[nodiscard]] StartButtonPlan ProgramStartButtonClick(bool buttonDown) const;

    // The device field's text.
    [[nodiscard]] const std::string& DeviceName() const { return deviceName_; }
    // Returns whether the text changed; only a change applies a device.
    bool ChangeDevice(const std::string& name);

    // A file opened successfully moves to the front of the recent files.
    void FileOpened(const std::string& path);

private:
    [[nodiscard]] StartButtonPlan PlanStartButton(bool buttonDown) const;

    AppSettings settings_;
    bool portIdle_ = true;
    bool bufferSaved_ = true;
    bool suppressSettingsSave_ = false;
    std::string deviceName_;
};

} // namespace zav
