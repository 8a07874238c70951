#include "ui/shell/status_line_delegate.h"

#include <QPainter>

#include <algorithm>

#include "ui/shell/status_win.h"

namespace zav {

void StatusLineDelegate::paint(QPainter* painter, const QStyleOptionViewItem& option, const QModelIndex& index) const
{
    const bool selected = (option.state & QStyle::State_Selected) != 0;
    const QPalette& palette = option.palette;
    painter->save();
    painter->setClipRect(option.rect);
    painter->fillRect(option.rect, selected ? palette.toolTipBase() : palette.base());
    painter->setPen(index.data(Qt::ForegroundRole).value<QBrush>().color());
    painter->setFont(option.font);
    const QRect textRect = option.rect.adjusted(1, 1, 0, 0);
    // A line longer than the list ends in "...", and its tool tip shows it whole.
    const QString text = QFontMetrics(option.font).elidedText(index.data(Qt::DisplayRole).toString(), Qt::ElideRight,
                                                             textRect.width());
    painter->drawText(textRect, Qt::AlignLeft | Qt::AlignVCenter | Qt::TextSingleLine, text);
    painter->restore();
}

QSize StatusLineDelegate::sizeHint(const QStyleOptionViewItem& option, const QModelIndex&) const
{
    // Sixteen pixels, unless the user's font needs more.
    return {1, std::max(StatusWin::kItemHeight, option.fontMetrics.height() + 2)};
}

} // namespace zav
