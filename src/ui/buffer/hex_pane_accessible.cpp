#include "ui/buffer/hex_pane_accessible.h"

#include "buffer/numeric_helpers.h"
#include "ui/buffer/hex_cell_accessible.h"
#include "ui/buffer/hex_grid_view.h"
#include "operations/hex_view_layout.h"
#include "widgets/accessible_factory.h"
#include "widgets/latin1_text.h"

namespace zav {

namespace {

constexpr int kCellCount = HexViewLayout::kRowCount * HexViewLayout::kBytesPerRow;

// A pane asked for while its base class was still being built would be a plain scroll area.
const bool factoryInstalled = InstallAccessibleFactory<HexGridView, HexPaneAccessible>();

} // namespace

HexPaneAccessible::HexPaneAccessible(HexGridView* pane) : QAccessibleWidget(pane, QAccessible::Table) {}

HexPaneAccessible::~HexPaneAccessible()
{
    for (const auto& [address, id] : cells_) QAccessible::deleteAccessibleInterface(id);
}

bool HexPaneAccessible::FactoryInstalled()
{
    return factoryInstalled;
}

HexGridView* HexPaneAccessible::Pane() const
{
    return static_cast<HexGridView*>(widget());
}

QAccessibleInterface* HexPaneAccessible::Cell(std::int32_t address) const
{
    if (address < 0 || address >= kCellCount) return nullptr;
    if (const auto known = cells_.find(address); known != cells_.end()) {
        return QAccessible::accessibleInterface(known->second);
    }
    auto* cell = new HexCellAccessible(Pane(), address);
    cells_.emplace(address, QAccessible::registerAccessibleInterface(cell));
    return cell;
}

int HexPaneAccessible::childCount() const
{
    return kCellCount;
}

QAccessibleInterface* HexPaneAccessible::child(int index) const
{
    return Cell(index);
}

int HexPaneAccessible::indexOfChild(const QAccessibleInterface* child) const
{
    const auto* cell = dynamic_cast<const HexCellAccessible*>(child);
    if (cell == nullptr) return -1;
    const auto known = cells_.find(cell->Address());
    if (known == cells_.end() || QAccessible::accessibleInterface(known->second) != child) return -1;
    return cell->Address();
}

QAccessibleInterface* HexPaneAccessible::childAt(int x, int y) const
{
    const QPoint point = Pane()->viewport()->mapFromGlobal(QPoint(x, y));
    const auto address = Pane()->AddressAt(point);
    return address ? Cell(*address) : nullptr;
}

QAccessibleInterface* HexPaneAccessible::focusChild() const
{
    if (!Pane()->hasFocus()) return nullptr;
    return Cell(Pane()->Editor().PaneCursor().Address());
}

void* HexPaneAccessible::interface_cast(QAccessible::InterfaceType type)
{
    if (type == QAccessible::TableInterface) return static_cast<QAccessibleTableInterface*>(this);
    return QAccessibleWidget::interface_cast(type);
}

QAccessibleInterface* HexPaneAccessible::cellAt(int row, int column) const
{
    if (row < 0 || row >= rowCount() || column < 0 || column >= columnCount()) return nullptr;
    return Cell(row * HexViewLayout::kBytesPerRow + column);
}

int HexPaneAccessible::selectedCellCount() const
{
    return Pane()->Editor().PaneCursor().GetSelection().CellCount();
}

QList<QAccessibleInterface*> HexPaneAccessible::selectedCells() const
{
    QList<QAccessibleInterface*> cells;
    Pane()->Editor().PaneCursor().GetSelection().ForEachAddress(
        [this, &cells](std::int32_t address) { cells.append(Cell(address)); });
    return cells;
}

QString HexPaneAccessible::columnDescription(int column) const
{
    // The offset within the row, as the hex dump's columns stand for.
    return QStringLiteral("+%1").arg(column, 0, 16).toUpper();
}

QString HexPaneAccessible::rowDescription(int row) const
{
    return FromLatin1(AddressText(row * HexViewLayout::kBytesPerRow));
}

int HexPaneAccessible::selectedColumnCount() const
{
    return static_cast<int>(selectedColumns().size());
}

int HexPaneAccessible::selectedRowCount() const
{
    return static_cast<int>(selectedRows().size());
}

int HexPaneAccessible::columnCount() const
{
    return HexViewLayout::kBytesPerRow;
}

int HexPaneAccessible::rowCount() const
{
    return HexViewLayout::kRowCount;
}

// A row or a column counts as selected only when the block covers all of it.
QList<int> HexPaneAccessible::selectedColumns() const
{
    QList<int> columns;
    for (int column = 0; column < columnCount(); ++column) {
        if (isColumnSelected(column)) columns.append(column);
    }
    return columns;
}

QList<int> HexPaneAccessible::selectedRows() const
{
    QList<int> rows;
    const Selection selection = Pane()->Editor().PaneCursor().GetSelection();
    if (selection.ColumnCount() != columnCount()) return rows;
    for (int row = selection.Top(); row <= selection.Bottom(); ++row) rows.append(row);
    return rows;
}

bool HexPaneAccessible::isColumnSelected(int column) const
{
    const Selection selection = Pane()->Editor().PaneCursor().GetSelection();
    return selection.RowCount() == rowCount() && column + 1 >= selection.Left() && column + 1 <= selection.Right();
}

bool HexPaneAccessible::isRowSelected(int row) const
{
    const Selection selection = Pane()->Editor().PaneCursor().GetSelection();
    return selection.ColumnCount() == columnCount() && row >= selection.Top() && row <= selection.Bottom();
}

} // namespace zav
