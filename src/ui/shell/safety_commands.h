#pragma once

#include <QObject>
#include <QString>

#include <functional>

#include "ui/shell/shell_core.h"

class QAction;

namespace zav {

class FileCommands;
class SequenceCommands;
class TVerifyDifferences;

// The safety net around writing a part: the blank check, restoring a backup a program
// sequence took, and the window listing the cells the last verify or comparison found
// different.
class SafetyCommands final : public QObject {
    Q_OBJECT

public:
    // Asks for a file in `folder`; empty when the user cancelled.
    using FolderFileChooser = std::function<QString(QWidget* parent, const QString& folder)>;

    // Restore Backup asks `files` about unsaved work; the blank check runs in `sequences`.
    SafetyCommands(const ShellCore& core, FileCommands& files, SequenceCommands& sequences);

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
    ShellCore core_;
    FileCommands& files_;
    SequenceCommands& sequences_;
    QAction* blankCheck_;
    QAction* restoreBackup_;
    QAction* showVerifyDifferences_;
    FolderFileChooser backupChooser_;
    TVerifyDifferences* verifyDifferences_ = nullptr;
};

} // namespace zav
