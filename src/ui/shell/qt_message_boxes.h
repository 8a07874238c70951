#pragma once

#include <QPointer>

#include <vector>

#include "messages/message_boxes.h"

class QMessageBox;
class QWidget;

namespace zav {

// The program's modal boxes as QMessageBox, modal to the main window. A box raised for a
// sequence can be dismissed when the sequence is stopped, so the worker waiting for its
// answer goes on to see the stop.
class QtMessageBoxes final : public MessageBoxes {
public:
    explicit QtMessageBoxes(QWidget* parent = nullptr) : parent_(parent) {}

    void SetParent(QWidget* parent) { parent_ = parent; }
    BoxAnswer Show(const BoxRequest& request) override;

    // Closes every box still open as if its Escape button was pressed (No, Cancel or OK).
    void DismissOpenBoxes();

private:
    QPointer<QWidget> parent_;
    std::vector<QPointer<QMessageBox>> open_;
};

} // namespace zav
