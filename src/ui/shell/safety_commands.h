#pragma once

#include <QObject>
#include <QString>

#include <functional>

class QAction;
class QWidget;

namespace zav {

class FileCommands;
class MainWindowFlow;
class MessageBoxes;
class SequenceCommands;
class StatusWin;
class THexEdit;
class TVerifyDifferences;

// The safety net around writing a part: the blank check, restoring a backup a program
// sequence took, and the window listing the cells the last verify or comparison found
// different.
class SafetyCommands final : public QObject {
    Q_OBJECT

public:
    // Asks for a file in `folder`; empty when the user cancelled.
    using FolderFileChooser = std::function<QString(QWidget* parent, const QString& folder)>;

    SafetyCommands(QWidget& window, THexEdit& editor, MainWindowFlow& flow, StatusWin& status, MessageBoxes& boxes,
                   FileCommands& files, SequenceCommands& sequences);

    [[nodiscard]] QAction* BlankCheckAction() const { return blankCheck_; }
    [[nodiscard]] QAction* RestoreBackupAction() const { return restoreBackup_; }
    [[nodiscard]] QAction* VerifyDifferencesAction() const { return showVerifyDifferences_; }
    // Made on first use.
    [[nodiscard]] TVerifyDifferences* VerifyDifferencesWindow() const { return verifyDifferences_; }

    void BlankCheckExecute();
    void RestoreBackupExecute();
    void VerifyDifferencesExecute();
    // Restore Backup asks the system's open dialog, starting in the backup folder, unless a
    // test replaced it.
    void SetBackupChooser(FolderFileChooser chooser) { backupChooser_ = std::move(chooser); }

private:
    QWidget& window_;
    THexEdit& editor_;
    MainWindowFlow& flow_;
    StatusWin& status_;
    MessageBoxes& boxes_;
    FileCommands& files_;
    SequenceCommands& sequences_;
    QAction* blankCheck_;
    QAction* restoreBackup_;
    QAction* showVerifyDifferences_;
    FolderFileChooser backupChooser_;
    TVerifyDifferences* verifyDifferences_ = nullptr;
};

} // namespace zav
