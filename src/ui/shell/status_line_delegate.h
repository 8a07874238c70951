#pragma once

#include <QStyledItemDelegate>

namespace zav {

// Draws a message line: its kind's colour on the window background, or on the tool-tip
// background when selected, one pixel in from the top-left corner, clipped to its row.
class StatusLineDelegate final : public QStyledItemDelegate {
    Q_OBJECT

public:
    using QStyledItemDelegate::QStyledItemDelegate;

    void paint(QPainter* painter, const QStyleOptionViewItem& option, const QModelIndex& index) const override;
    [[nodiscard]] QSize sizeHint(const QStyleOptionViewItem& option, const QModelIndex& index) const override;
};

} // namespace zav
