#pragma once

#include <QMainWindow>

#include <memory>

#include "sequences/sequence_host.h"
#include "shell/main_window_flow.h"
#include "ui/shell/sequence_pages.h"
#include "ui/shell/shell_services.h"

class QLabel;
class QLineEdit;
class QProgressBar;
class QPushButton;
class QTabWidget;
class QToolBar;
class QToolButton;

namespace zav {

class CompareCommand;
class DeviceCommands;
class EditorWindowCommands;
class FileCommands;
class HelpCommands;
class MessageListMenu;
class SafetyCommands;
class SequenceCommands;
class SequenceRunner;
class ShellSettings;
class StatusWin;
class THexEdit;

// The main window: the device row, the Program and Read sequence pages, the message list, the
// hint bar and the progress bar, bound to the main window's flow. Its menus' commands belong to
// the parts below, each with its own actions; it owns the hex editor (and so the one buffer).
class TProgShell final : public QMainWindow {
    Q_OBJECT

public:
    explicit TProgShell(ShellServices services, QWidget* parent = nullptr);
    ~TProgShell() override;

    // Reads the settings file and applies it to the windows; once, after construction.
    void LoadSettings();

    [[nodiscard]] MainWindowFlow& Flow() { return flow_; }
    [[nodiscard]] THexEdit& HexEditor() { return *hexEdit_; }
    [[nodiscard]] StatusWin& Status() { return *statusWin_; }
    [[nodiscard]] SequenceRunner& Sequences();

    // The parts that own the menus' commands.
    [[nodiscard]] FileCommands& Files() { return *files_; }
    [[nodiscard]] CompareCommand& Compare() { return *compare_; }
    [[nodiscard]] SafetyCommands& Safety() { return *safety_; }
    [[nodiscard]] EditorWindowCommands& EditorWindows() { return *editorWindows_; }
    [[nodiscard]] DeviceCommands& Device() { return *device_; }
    [[nodiscard]] ShellSettings& StoredSettings() { return *settings_; }
    [[nodiscard]] HelpCommands& Help() { return *help_; }
    [[nodiscard]] MessageListMenu& MessageMenu() const { return *messageMenu_; }

    // The controls by their roles, for the dialogs that work with them and for tests.
    [[nodiscard]] QPushButton* StartButton(SequenceKind kind) const { return pages_->StartButton(kind); }
    [[nodiscard]] QPushButton* OptionButton(SequenceOption option) const;
    [[nodiscard]] QToolButton* DeviceIDButton() const { return deviceIdButton_; }
    [[nodiscard]] QLineEdit* DeviceIDValue() const { return deviceIdValue_; }
    [[nodiscard]] QProgressBar* ProgBar() const { return progBar_; }
    [[nodiscard]] QLabel* HelpHint() const { return helpHint_; }
    [[nodiscard]] QTabWidget* SeqWin1() const { return pages_->Tabs(); }
    [[nodiscard]] QToolBar* ToolBar1() const { return toolBar_; }

signals:
    // A stop was requested while a sequence may be waiting on a box: the box goes away,
    // so the sequence can see the stop.
    void SequenceStopRequested();

protected:
    void closeEvent(QCloseEvent* event) override;
    bool event(QEvent* event) override;

private:
    [[nodiscard]] QWidget* CreateDeviceRow();
    [[nodiscard]] QWidget* CreateBottomRow();
    void CreateCommandOwners();
    // Reset to Default: the window closes without the close question, a new instance starts.
    void EndForRestart();

    ShellServices services_;
    MainWindowFlow flow_;
    bool terminating_ = false;
    // The close question was answered; a close that waits for a sequence asks no more.
    bool closeConfirmed_ = false;
    // A close waits for the running sequences to end.
    bool closeAfterStop_ = false;

    THexEdit* hexEdit_ = nullptr;
    QToolButton* deviceIdButton_ = nullptr;
    QLineEdit* deviceIdValue_ = nullptr;
    // Made after the device row: the window's tab order is the order its controls are made.
    std::unique_ptr<SequencePages> pages_;
    StatusWin* statusWin_ = nullptr;
    QLabel* helpHint_ = nullptr;
    QProgressBar* progBar_ = nullptr;
    QToolBar* toolBar_ = nullptr;
    MessageListMenu* messageMenu_ = nullptr;

    // Owned here rather than by Qt, so they go before the child windows they reach do, the
    // print job (with the file commands) before the sequences.
    std::unique_ptr<SequenceCommands> sequences_;
    std::unique_ptr<FileCommands> files_;
    std::unique_ptr<CompareCommand> compare_;
    std::unique_ptr<SafetyCommands> safety_;
    std::unique_ptr<EditorWindowCommands> editorWindows_;
    std::unique_ptr<DeviceCommands> device_;
    std::unique_ptr<ShellSettings> settings_;
    std::unique_ptr<HelpCommands> help_;
};

} // namespace zav
