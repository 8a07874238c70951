#include "ui/buffer/description_table_model.h"

#include "buffer/memory_buffer.h"
#include "buffer/numeric_helpers.h"
#include "ui/buffer/qt_colour.h"
#include "widgets/latin1_text.h"

namespace zav {

DescriptionTableModel::DescriptionTableModel(MemoryBuffer& buffer, QObject* parent)
    : QAbstractTableModel(parent), buffer_(buffer), rows_(buffer.Descriptions().GetDescriptionRowCount())
{
}

int DescriptionTableModel::rowCount(const QModelIndex& parent) const
{
    return parent.isValid() ? 0 : rows_;
}

int DescriptionTableModel::columnCount(const QModelIndex& parent) const
{
    return parent.isValid() ? 0 : ColumnCount;
}

QVariant DescriptionTableModel::data(const QModelIndex& index, int role) const
{
    if (!index.isValid() || index.row() >= rows_) return {};
    const Description& description = buffer_.Descriptions();
    const std::int32_t address = description.GetDescriptionRow(index.row()).address;
    if (role == kCellColourRole) return ToQColor(buffer_.GetCellColour(address));
    if (role != Qt::DisplayRole) return {};
    switch (index.column()) {
    case Access: return buffer_.IsReadOnly(address) ? QStringLiteral("R") : QStringLiteral("W");
    case Address: return FromLatin1(description.RowAddressText(index.row()));
    case Value: return FromLatin1(ByteText(buffer_.GetByte(address)));
    case Comment: return FromLatin1(description.RowNote(index.row()));
    default: return {};
    }
}

void DescriptionTableModel::Reload()
{
    const int rows = buffer_.Descriptions().GetDescriptionRowCount();
    if (rows == rows_) {
        if (rows_ > 0) emit dataChanged(index(0, 0), index(rows_ - 1, ColumnCount - 1));
        return;
    }
    // Rows come and go only at the end ("+", "-", a loaded description).
    if (rows > rows_) {
        beginInsertRows({}, rows_, rows - 1);
        rows_ = rows;
        endInsertRows();
    } else {
        beginRemoveRows({}, rows, rows_ - 1);
        rows_ = rows;
        endRemoveRows();
    }
    emit dataChanged(index(0, 0), index(rows_ - 1, ColumnCount - 1));
}

void DescriptionTableModel::RefreshCells()
{
    if (rows_ > 0) emit dataChanged(index(0, Swatch), index(rows_ - 1, Value));
}

} // namespace zav
