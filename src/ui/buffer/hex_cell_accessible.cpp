#include "ui/buffer/hex_cell_accessible.h"

#include "buffer/memory_buffer.h"
#include "ui/buffer/hex_grid_view.h"
#include "operations/hex_view_layout.h"
#include "operations/spoken_cell.h"
#include "widgets/latin1_text.h"

namespace zav {

HexCellAccessible::HexCellAccessible(HexGridView* pane, std::int32_t address) : pane_(pane), address_(address) {}

QAccessibleInterface* HexCellAccessible::parent() const
{
    return QAccessible::queryAccessibleInterface(pane_.data());
}

QString HexCellAccessible::text(QAccessible::Text t) const
{
    if (pane_.isNull()) return {};
    HexPaneHost& editor = pane_->Editor();
    switch (t) {
    case QAccessible::Name:
        return FromLatin1(SpokenCellName(pane_->Grid(), address_, editor.PaneBuffer().GetByte(address_)));
    case QAccessible::Description:
        return FromLatin1(SpokenCellDescription(editor.PaneBuffer(), editor.PaneDifferences(), address_));
    default: return {};
    }
}

QRect HexCellAccessible::rect() const
{
    if (pane_.isNull()) return {};
    const QRect cell = pane_->CellRect(address_);
    return QRect(pane_->viewport()->mapToGlobal(cell.topLeft()), cell.size());
}

QAccessible::State HexCellAccessible::state() const
{
    QAccessible::State state;
    if (pane_.isNull()) {
        state.invalid = true;
        return state;
    }
    EditorCursor& cursor = pane_->Editor().PaneCursor();
    state.focusable = true;
    state.selectable = true;
    state.focused = pane_->hasFocus() && cursor.Address() == address_;
    state.selected = cursor.GetSelection().Contains(address_);
    const int row = rowIndex();
    state.offscreen = !pane_->isVisible() || row < cursor.TopRow() || row >= cursor.TopRow() + cursor.VisibleRows();
    state.invisible = !pane_->isVisible();
    state.readOnly = pane_->Editor().PaneBuffer().IsReadOnly(address_);
    return state;
}

void* HexCellAccessible::interface_cast(QAccessible::InterfaceType type)
{
    if (type == QAccessible::TableCellInterface) return static_cast<QAccessibleTableCellInterface*>(this);
    return nullptr;
}

bool HexCellAccessible::isSelected() const
{
    return !pane_.isNull() && pane_->Editor().PaneCursor().GetSelection().Contains(address_);
}

int HexCellAccessible::columnIndex() const
{
    return address_ % HexViewLayout::kBytesPerRow;
}

int HexCellAccessible::rowIndex() const
{
    return address_ / HexViewLayout::kBytesPerRow;
}

} // namespace zav
