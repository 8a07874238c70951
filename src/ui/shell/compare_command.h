#pragma once

#include <QObject>

#include <functional>

#include "ui/files/buffer_file_chooser.h"

class QAction;
class QWidget;

namespace zav {

class MainWindowFlow;
class MessageBoxes;
class StatusWin;
class THexEdit;

// File > Compare With File: a file loaded beside the buffer, never into it, and the cells
// where the two differ marked as a verify marks them and listed in the differences window.
class CompareCommand final : public QObject {
    Q_OBJECT

public:
    // `showDifferences` brings up the differences window.
    CompareCommand(QWidget& window, THexEdit& editor, const MainWindowFlow& flow, StatusWin& status,
                   MessageBoxes& boxes, std::function<void()> showDifferences);

    [[nodiscard]] QAction* Action() const { return action_; }
    void CompareWithFileExecute();
    // Asks the system's open dialog unless a test replaced it.
    void SetCompareChooser(FileChooser chooser) { chooser_ = std::move(chooser); }

private:
    QWidget& window_;
    THexEdit& editor_;
    const MainWindowFlow& flow_;
    StatusWin& status_;
    MessageBoxes& boxes_;
    std::function<void()> showDifferences_;
    FileChooser chooser_ = ChooseBufferFileToOpen;
    QAction* action_;
};

} // namespace zav
