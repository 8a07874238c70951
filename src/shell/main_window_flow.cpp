#include "shell/main_window_flow.h"

#include <system_error>

#include "devices/device_catalogue.h"
#include "messages/message_boxes.h"

namespace zav {

MainWindowFlow::MainWindowFlow() : deviceName_(NoDeviceName) {}

bool MainWindowFlow::Allows(PortCommand) const
{
    // Every command that reaches the port has the same interlock.
    return portIdle_;
}

void MainWindowFlow::SaveDialogClosed(bool accepted)
{
    if (accepted) bufferSaved_ = true;
}

bool MainWindowFlow::SettleUnsavedWork(bool undoEmpty, MessageBoxes& boxes, const std::function<bool()>& save)
{
    if (!HasUnsavedWork(undoEmpty)) return true;
    switch (boxes.AskYesNoCancel(std::string(kCloseQuestion), BoxKind::Confirmation)) {
    case BoxAnswer::Yes: {
        // A save that failed or was cancelled leaves the work where it is: going on would
        // lose what the user just asked to keep.
        const bool saved = save();
        SaveDialogClosed(saved);
        return saved;
    }
    case BoxAnswer::No:
        return true;
    default:
        return false;
    }
}

bool MainWindowFlow::ResetToDefault(MessageBoxes& boxes, const std::filesystem::path& settingsFile)
{
    if (!boxes.AskYesNo(std::string(kResetWarning), "Warning", BoxKind::Warning)) return false;
    std::error_code ignored;
    std::filesystem::remove(settingsFile, ignored);
    suppressSettingsSave_ = true;
    return true;
}

StartButtonPlan MainWindowFlow::PlanStartButton(bool buttonDown) const
{
    if (buttonDown && !portIdle_) return {true, false};
    return {false, buttonDown};
}

StartButtonPlan MainWindowFlow::ReadStartButtonClick(bool buttonDown)
{
    const StartButtonPlan plan = PlanStartButton(buttonDown);
    if (plan.start) bufferSaved_ = false;
    return plan;
}

StartButtonPlan MainWindowFlow::ProgramStartButtonClick(bool buttonDown) const
{
    return PlanStartButton(buttonDown);
}

bool MainWindowFlow::ChangeDevice(const std::string& name)
{
    if (name == deviceName_) return false;
    deviceName_ = name;
    return true;
}

void MainWindowFlow::FileOpened(const std::string& path)
{
    AddRecentFile(settings_.program, path);
}

} // namespace zav
