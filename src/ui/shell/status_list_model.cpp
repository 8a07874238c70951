#include "ui/shell/status_list_model.h"

#include <QBrush>
#include <QColor>

#include "ui/buffer/qt_colour.h"
#include "shell/status_line.h"
#include "widgets/system_text.h"

namespace zav {


int StatusListModel::rowCount(const QModelIndex& parent) const
{
    return parent.isValid() ? 0 : static_cast<int>(lines_.size());
}

QVariant StatusListModel::data(const QModelIndex& index, int role) const
{
    if (!index.isValid() || index.row() >= rowCount()) return {};
    const std::string& line = Line(index.row());
    if (role == Qt::DisplayRole || role == Qt::ToolTipRole) return FromSystemText(StatusLineDisplayText(line));
    if (role == Qt::ForegroundRole) return QBrush(ToQColor(StatusLineColour(line)));
    return {};
}

void StatusListModel::Append(const std::string& text, StatusKind kind)
{
    const int row = rowCount();
    beginInsertRows(QModelIndex(), row, row);
    lines_.push_back(MakeStatusLine(text, kind));
    endInsertRows();
}

void StatusListModel::Clear()
{
    beginResetModel();
    lines_.clear();
    endResetModel();
}

} // namespace zav
