#pragma once

#include <QWidget>

class QLabel;
class QPushButton;
class QTreeWidget;
class QTreeWidgetItem;

namespace zav {

class THexEdit;

// The "Verify Differences" window: every cell the last verify found different, with the value
// the part should hold and the one it holds, or after File > Compare With File the cells the
// buffer and the file differ in, with the file's value. It follows the editor's marks as they
// change; a double-click moves the editor's cursor to the cell, and Copy puts the list on the
// clipboard as the lines zavtool prints. Non-modal; closing only hides it.
class TVerifyDifferences final : public QWidget {
    Q_OBJECT

public:
    TVerifyDifferences(THexEdit& editor, QWidget* parent);

    [[nodiscard]] QTreeWidget* List() const { return list_; }
    [[nodiscard]] QPushButton* CopyButton() const { return copy_; }

    void Refresh();
    void CopyList();

private:
    void OpenItem(QTreeWidgetItem* item);

    THexEdit& editor_;
    QLabel* summary_ = nullptr;
    QTreeWidget* list_ = nullptr;
    QPushButton* copy_ = nullptr;
};

} // namespace zav
