#pragma once

#include <QObject>

#include "ui/files/buffer_file_chooser.h"

class QAction;
class QMenu;

namespace zav {

class MessageBoxes;
class StatusWin;

// The message list's context menu: Copy (the selected line), Copy All, Save As ... (a text
// file with CR LF line ends, written safely) and Clear.
class MessageListMenu final : public QObject {
    Q_OBJECT

public:
    MessageListMenu(StatusWin& list, MessageBoxes& boxes);

    [[nodiscard]] QMenu* Menu() const { return menu_; }
    // Save As asks the system's save dialog unless a test replaced it.
    void SetFileChooser(FileChooser chooser) { chooser_ = std::move(chooser); }

private:
    void CopySelected();
    void CopyAll();
    void SaveAs();
    void UpdateActions();

    StatusWin& list_;
    MessageBoxes& boxes_;
    FileChooser chooser_;
    QMenu* menu_;
    QAction* copy_;
    QAction* copyAll_;
    QAction* saveAs_;
    QAction* clear_;
};

} // namespace zav
