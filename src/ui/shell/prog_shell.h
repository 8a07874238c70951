#pragma once

#include <QMainWindow>

#include <array>
#include <functional>
#include <memory>

#include "devices/device_selection_view.h"
#include "ui/files/buffer_file_chooser.h"
#include "sequences/sequence_host.h"
#include "shell/main_window_flow.h"
#include "ui/shell/shell_services.h"

class QAction;
class QDialog;
class QLabel;
class QLineEdit;
class QMenu;
class QProgressBar;
class QPushButton;
class QTabWidget;
class QToolBar;
class QToolButton;

namespace zav {

class GuiSequenceHost;
class MessageListMenu;
class SequenceRunner;
class StatusWin;
class TAboutW;
class TDevIdForm;
class THexEdit;
class THoptions;
class TLoadf;
class TLptSet;
class TSavef;
class TVerifyDifferences;

// The main window: the device row, the Program and Read sequence pages with their option
// toggles and Start buttons, the message list, the hint bar and the progress bar, and every
// command of the program in its menus and tool bar. It owns the hex editor (and so the one
// buffer) and every dialog, each made on first use and kept.
class TProgShell final : public QMainWindow, private DeviceSelectionView {
    Q_OBJECT

public:
    explicit TProgShell(ShellServices services, QWidget* parent = nullptr);
    TProgShell(const TProgShell&) = delete;
    TProgShell& operator=(const TProgShell&) = delete;
    ~TProgShell() override;

    // Reads the settings file and applies it to the windows; once, after construction.
    void LoadSettings();

    [[nodiscard]] MainWindowFlow& Flow() { return flow_; }
    [[nodiscard]] THexEdit& HexEditor() { return *hexEdit_; }
    [[nodiscard]] StatusWin& Status() { return *statusWin_; }
    [[nodiscard]] SequenceRunner& Sequences() { return *sequences_; }
    void AddStatusMessage(const std::string& text, StatusKind kind);

    // The controls by their roles, for the dialogs that work with them and for tests.
    [[nodiscard]] QPushButton* StartButton(SequenceKind kind) const;
    [[nodiscard]] QPushButton* OptionButton(SequenceOption option) const;
    [[nodiscard]] QToolButton* DeviceIDButton() const { return deviceIdButton_; }
    [[nodiscard]] QLineEdit* DeviceIDValue() const { return deviceIdValue_; }
    [[nodiscard]] QProgressBar* ProgBar() const { return progBar_; }
    [[nodiscard]] QLabel* HelpHint() const { return helpHint_; }
    [[nodiscard]] QTabWidget* SeqWin1() const { return seqWin_; }
    [[nodiscard]] QToolBar* ToolBar1() const { return toolBar_; }

    // The File menu's commands, which the file dialogs complete.
    // Open: the open dialog, made on first use; its result is not used.
    void OpenFile();
    // Save: the save dialog, made on first use; returns whether it closed with OK.
    bool SaveFile();
    // Before a load replaces the buffer, or a close drops it: the unsaved-work question,
    // Yes saving with the save dialog. Returns whether the load or close may go on.
    [[nodiscard]] bool SettleUnsavedWork();
    // Print: the print dialog, made on first use.
    void PrintBuffer();
    // A file named on the command line or dropped on a window: loaded with the open dialog's
    // defaults, the outcome in the message list.
    void OpenFileFromDesktop(const QString& path);
    // File > Recent Files: the open dialog, preset with the path.
    void OpenRecentFile(const std::string& path);
    [[nodiscard]] QMenu* RecentFilesMenu() const { return recentFiles_; }
    [[nodiscard]] MessageListMenu& MessageMenu() const { return *messageMenu_; }
    // The Start/Stop key: presses the Start button of the sequence page in view.
    void StartStopVisibleSequence();

    // Handlers of the controls and actions, named after them.
    void DeviceIDButtonClick();
    void ReadStartButtonClick(bool down);
    void ProgramStartButtonClick(bool down);
    void EditOpenFileExecute();
    void EditSaveFileExecute();
    void EditPrintExecute();
    void ToolEditorExecute();
    void ToolLPTExecute();
    void ResDefSetExecute();
    void ShowEditorExecute();
    void HelpProgExecute();
    void HelpAboutExecute();
    // The safety net around writing a part (prog_shell_safety.cpp).
    void BlankCheckExecute();
    void RestoreBackupExecute();
    void VerifyDifferencesExecute();
    [[nodiscard]] TVerifyDifferences* VerifyDifferencesWindow() const { return verifyDifferences_; }
    // File > Compare With File: the cells where the buffer differs from a file are marked and
    // listed in the differences window.
    void CompareWithFileExecute();
    // Compare With File asks the system's open dialog unless a test replaced it.
    void SetCompareChooser(FileChooser chooser) { compareChooser_ = std::move(chooser); }
    // Restore Backup asks the system's open dialog, starting in the given folder, unless a test
    // replaced it.
    using FolderFileChooser = std::function<QString(QWidget* parent, const QString& folder)>;
    void SetBackupChooser(FolderFileChooser chooser) { backupChooser_ = std::move(chooser); }

signals:
    // A stop was requested while a sequence may be waiting on a box: the box goes away,
    // so the sequence can see the stop.
    void SequenceStopRequested();

protected:
    void closeEvent(QCloseEvent* event) override;
    bool event(QEvent* event) override;

private:
    // DeviceSelectionView
    void SetOptionEnabled(SequenceOption option, bool enabled) override;
    void ShowAddressAtTop(std::int32_t address) override;

    void CreateActions();
    void CreateSafetyActions();
    void CreateCompareCommand(QMenu& file, QAction* before);
    // The backup store the settings ask for, handed to the sequences before a program start.
    void ApplyBackupSetting();
    void CreateMenus();
    void CreateToolBar();
    // Recent Files, Redo, Replace, the bookmarks, the data inspector, the Start/Stop key, the
    // message list's menu, dropped files and the commands a busy port disables.
    void CreateExtras();
    void FillRecentFilesMenu();
    void UpdateInterlockedCommands();
    QWidget* CreateDeviceRow();
    QWidget* CreateSequencePages();
    QWidget* CreateBottomRow();
    QPushButton* CreateToggle(const QString& objectName, const QString& hint);
    QAction* CreateAction(const char* objectName, const QString& caption, const char* icon, const QString& hint);
    void ConnectCommand(QAction* action, void (TProgShell::*handler)());
    void DeviceIDValueChange(const std::string& name);
    void StartButtonClick(SequenceKind kind, bool down);
    // FormClose: writes the settings unless Reset to Default forbade it and hides the
    // editor's windows.
    void FormClose();
    [[nodiscard]] std::filesystem::path SettingsFilePath() const;

    ShellServices services_;
    MainWindowFlow flow_;
    // Set by Reset to Default: the program ends without the close question.
    bool terminating_ = false;
    // The close question was answered; a close that waits for a sequence asks no more.
    bool closeConfirmed_ = false;
    // A close waits for the running sequences to end.
    bool closeAfterStop_ = false;
    // Owned here rather than by Qt, so they go before the child windows do, the print job
    // (it reads the editor's buffer and reports to the message list) before the sequences
    // (they reach the editor's buffer).
    std::unique_ptr<SequenceRunner> sequences_;
    std::unique_ptr<QDialog> printd_;

    StatusWin* statusWin_ = nullptr;
    QLabel* helpHint_ = nullptr;
    QProgressBar* progBar_ = nullptr;
    QToolButton* deviceIdButton_ = nullptr;
    QLineEdit* deviceIdValue_ = nullptr;
    QTabWidget* seqWin_ = nullptr;
    QToolBar* toolBar_ = nullptr;
    QPushButton* readStartButton_ = nullptr;
    QPushButton* programStartButton_ = nullptr;
    std::array<QPushButton*, 6> optionButtons_{};

    QAction* editOpenFile_ = nullptr;
    QAction* editSaveFile_ = nullptr;
    QAction* editPrint_ = nullptr;
    QAction* editExit_ = nullptr;
    QAction* toolEditor_ = nullptr;
    QAction* toolLpt_ = nullptr;
    QAction* resDefSet_ = nullptr;
    QAction* showEditor_ = nullptr;
    QAction* helpProg_ = nullptr;
    QAction* helpAbout_ = nullptr;
    QAction* startStop_ = nullptr;
    QMenu* recentFiles_ = nullptr;
    MessageListMenu* messageMenu_ = nullptr;

    THexEdit* hexEdit_ = nullptr;
    GuiSequenceHost* sequenceHost_ = nullptr;
    TDevIdForm* devIdForm_ = nullptr;
    TLptSet* lptSet_ = nullptr;
    THoptions* hoptions_ = nullptr;
    TLoadf* loadf_ = nullptr;
    TSavef* savef_ = nullptr;
    TVerifyDifferences* verifyDifferences_ = nullptr;
    QAction* blankCheck_ = nullptr;
    QAction* restoreBackup_ = nullptr;
    QAction* showVerifyDifferences_ = nullptr;
    FolderFileChooser backupChooser_;
    QAction* compareWithFile_ = nullptr;
    FileChooser compareChooser_;
};

} // namespace zav
