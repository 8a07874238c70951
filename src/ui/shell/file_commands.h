#pragma once

#include <QObject>
#include <QString>

#include <initializer_list>
#include <memory>
#include <string>

#include "ui/shell/shell_core.h"

class QAction;
class QDialog;
class QMenu;
class QProgressBar;

namespace zav {

class RecentFilesSubmenu;
class TLoadf;
class TSavef;

// The File menu's own commands: Open, Save, Recent Files, Print and Exit, the question about
// unsaved work before a load or close, and files opened from the desktop (named on the
// command line or dropped on a window). Each dialog is made on first use and kept.
class FileCommands final : public QObject {
    Q_OBJECT

public:
    // The print dialog shows its progress on `progress`.
    FileCommands(const ShellCore& core, QProgressBar& progress);
    FileCommands(const FileCommands&) = delete;
    FileCommands& operator=(const FileCommands&) = delete;
    ~FileCommands() override;

    [[nodiscard]] QAction* OpenAction() const { return open_; }
    [[nodiscard]] QAction* SaveAction() const { return save_; }
    [[nodiscard]] QAction* PrintAction() const { return print_; }
    // The File menu: these commands around Recent Files, with `others` after Recent Files.
    void FillMenu(QMenu& file, std::initializer_list<QAction*> others);
    [[nodiscard]] QMenu* RecentFilesMenu() const;
    // After a file was loaded elsewhere (a restored backup), or the settings were read.
    void ShowRecentFiles();

    void EditOpenFileExecute();
    void EditSaveFileExecute();
    void EditPrintExecute();
    // Open: the open dialog; its result is not used.
    void OpenFile();
    // Save: the save dialog; returns whether it closed with OK.
    bool SaveFile();
    // Before a load replaces the buffer, or a close drops it: the unsaved-work question,
    // Yes saving with the save dialog. Returns whether the load or close may go on.
    [[nodiscard]] bool SettleUnsavedWork();
    // File > Recent Files: the open dialog, preset with the path.
    void OpenRecentFile(const std::string& path);
    // Loaded with the open dialog's defaults, the outcome in the message list.
    void OpenFileFromDesktop(const QString& path);

private:
    void PrintBuffer();
    TLoadf& LoadDialog();

    ShellCore core_;
    QProgressBar& progress_;
    QAction* open_;
    QAction* save_;
    QAction* print_;
    QAction* exit_;
    RecentFilesSubmenu* recentFiles_ = nullptr;
    TLoadf* loadf_ = nullptr;
    TSavef* savef_ = nullptr;
    // Owned here rather than by Qt, so that it goes before the window's children: its print
    // job reads the editor's buffer and reports to the message list.
    std::unique_ptr<QDialog> printd_;
};

} // namespace zav
