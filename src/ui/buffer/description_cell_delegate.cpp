#include "ui/buffer/description_cell_delegate.h"

#include <QAbstractItemView>
#include <QPainter>

#include "ui/buffer/description_table_model.h"

namespace zav {

void DescriptionCellDelegate::paint(QPainter* painter, const QStyleOptionViewItem& option,
                                    const QModelIndex& index) const
{
    const QRect cell = option.rect;
    painter->save();
    painter->fillRect(cell, option.palette.base());
    if (index.column() == DescriptionTableModel::Swatch) {
        const QColor colour = index.data(DescriptionTableModel::kCellColourRole).value<QColor>();
        painter->fillRect(cell, colour);
        const auto* view = qobject_cast<const QAbstractItemView*>(option.widget);
        if (view != nullptr && view->currentIndex().row() == index.row()) {
            QFont bold = option.font;
            bold.setBold(true);
            painter->setFont(bold);
            painter->setPen(QColor(colour.rgb() ^ 0xFFFFFF));
            painter->drawText(cell, Qt::AlignCenter, QStringLiteral(">"));
        }
    } else {
        painter->setPen(Qt::black);
        painter->setFont(option.font);
        const QRect text = cell.adjusted(2, 2, -1, 0);
        painter->drawText(text, Qt::AlignLeft | Qt::AlignTop | Qt::TextSingleLine, index.data().toString());
    }
    painter->restore();
}

} // namespace zav
