#pragma once

#include <QWidget>

class QAction;
class QTableWidget;
class QTableWidgetItem;

namespace zav {

class THexEdit;

// "Data Inspector": a tool window beside the editor showing the bytes at the cursor as
// numbers of each width and byte order, in binary, octal and as a character. A value typed
// into a row is written as one undo step; a value the row or its cells refuse beeps.
class TDataInspector final : public QWidget {
    Q_OBJECT

public:
    TDataInspector(THexEdit& editor, QWidget* parent);

    // The Window menu's check mark follows the window however it was shown or closed.
    void SetToggleAction(QAction* action) { toggle_ = action; }
    // Reads the cells at the editor's cursor again; nothing while hidden.
    void Refresh();
    [[nodiscard]] QTableWidget& Table() { return *table_; }

protected:
    void showEvent(QShowEvent* event) override;
    void hideEvent(QHideEvent* event) override;

private:
    void ValueEdited(QTableWidgetItem* item);

    THexEdit& editor_;
    QTableWidget* table_;
    QAction* toggle_ = nullptr;
    bool placed_ = false;
    bool refreshing_ = false;
};

} // namespace zav
