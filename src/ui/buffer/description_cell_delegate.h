#pragma once

#include <QStyledItemDelegate>

namespace zav {

// Draws the description grid's cells: every cell black on the window background with its text
// 2 pixels in; the first column a swatch of the cell's colour, carrying a bold ">" in the
// inverse colour on the current row.
class DescriptionCellDelegate : public QStyledItemDelegate {
    Q_OBJECT

public:
    using QStyledItemDelegate::QStyledItemDelegate;

    void paint(QPainter* painter, const QStyleOptionViewItem& option, const QModelIndex& index) const override;
};

} // namespace zav
