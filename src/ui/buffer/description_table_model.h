#pragma once

#include <QAbstractTableModel>

namespace zav {

class MemoryBuffer;

// The description rows as the description window's grid shows them: a colour swatch, "R" or
// "W", the stored address text, the cell's live value and the comment. Colour, access and
// value are read from the buffer cell at every paint, so the grid follows the buffer.
class DescriptionTableModel : public QAbstractTableModel {
    Q_OBJECT

public:
    enum Column { Swatch, Access, Address, Value, Comment, ColumnCount };
    // The swatch's colour, for the delegate.
    static constexpr int kCellColourRole = Qt::UserRole + 1;

    DescriptionTableModel(MemoryBuffer& buffer, QObject* parent);

    [[nodiscard]] int rowCount(const QModelIndex& parent = {}) const override;
    [[nodiscard]] int columnCount(const QModelIndex& parent = {}) const override;
    [[nodiscard]] QVariant data(const QModelIndex& index, int role) const override;

    // The rows were added, removed or rewritten.
    void Reload();
    // Cell values or states changed: the live columns repaint.
    void RefreshCells();

private:
    MemoryBuffer& buffer_;
    int rows_ = 0;
};

} // namespace zav
