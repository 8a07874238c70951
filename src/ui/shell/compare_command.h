#pragma once

#include <QObject>

#include <functional>

#include "ui/files/buffer_file_chooser.h"
#include "ui/shell/shell_core.h"

class QAction;

namespace zav {

// File > Compare With File: a file loaded beside the buffer, never into it, and the cells
// where the two differ marked as a verify marks them and listed in the differences window.
class CompareCommand final : public QObject {
    Q_OBJECT

public:
    // `showDifferences` brings up the differences window.
    CompareCommand(const ShellCore& core, std::function<void()> showDifferences);

    [[nodiscard]] QAction* Action() const { return action_; }
    void CompareWithFileExecute();
    // Asks the system's open dialog unless a test replaced it.
    void SetCompareChooser(FileChooser chooser) { chooser_ = std::move(chooser); }

private:
    ShellCore core_;
    std::function<void()> showDifferences_;
    FileChooser chooser_ = ChooseBufferFileToOpen;
    QAction* action_;
};

} // namespace zav
