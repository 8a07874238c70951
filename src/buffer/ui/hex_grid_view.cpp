#include "buffer/ui/hex_grid_view.h"

#include <QKeyEvent>
#include <QMenu>
#include <QPainter>
#include <QScrollBar>
#include <QStyle>
#include <QStyleOptionFocusRect>

#include <array>

#include "buffer/memory_buffer.h"
#include "buffer/ui/hex_edit_window.h"
#include "buffer/ui/qt_colour.h"

namespace zav {

namespace {

constexpr Colour kSelectedBackgroundXor = 0x404040;

const std::array<QString, 256>& ByteTexts()
{
    static const std::array<QString, 256> texts = [] {
        std::array<QString, 256> all;
        for (int value = 0; value < 256; ++value) {
            all[static_cast<std::size_t>(value)] = QStringLiteral("%1").arg(value, 2, 16, QLatin1Char('0')).toUpper();
        }
        return all;
    }();
    return texts;
}

// The character pane shows every byte as its Latin-1 character, except that the empty and
// the erased cell (0x00, 0xFF) show as ".".
const std::array<QString, 256>& CharTexts()
{
    static const std::array<QString, 256> texts = [] {
        std::array<QString, 256> all;
        for (int value = 0; value < 256; ++value) {
            const bool dot = value == 0x00 || value == 0xFF;
            all[static_cast<std::size_t>(value)] = dot ? QStringLiteral(".") : QString(QChar(value));
        }
        return all;
    }();
    return texts;
}

QString RowAddressText(int row)
{
    return QStringLiteral("%1").arg(row * 16, 4, 16, QLatin1Char('0')).toUpper();
}

} // namespace

HexGridView::HexGridView(THexEdit& editor, EditorGrid grid, QWidget* parent)
    : QAbstractScrollArea(parent), editor_(editor), grid_(grid)
{
    setFocusPolicy(Qt::StrongFocus);
    setHorizontalScrollBarPolicy(Qt::ScrollBarAsNeeded);
    setVerticalScrollBarPolicy(grid == EditorGrid::Char ? Qt::ScrollBarAlwaysOn : Qt::ScrollBarAlwaysOff);
    viewport()->setAttribute(Qt::WA_OpaquePaintEvent);
    viewport()->setAutoFillBackground(false);
    setObjectName(grid == EditorGrid::Hex ? QStringLiteral("StringGrid1") : QStringLiteral("StringGrid2"));
    setToolTip(grid == EditorGrid::Hex ? QStringLiteral("Memory dump in Hexadecimal Format")
                                       : QStringLiteral("Memory dump in Character Format"));
}

void HexGridView::SetOwnsScrollBar(bool owns)
{
    setVerticalScrollBarPolicy(owns ? Qt::ScrollBarAlwaysOn : Qt::ScrollBarAlwaysOff);
}

void HexGridView::SyncScrollBar(int topRow, int visibleRows)
{
    QScrollBar* bar = verticalScrollBar();
    const QSignalBlocker blocker(bar);
    bar->setRange(0, HexViewLayout::kRowCount - visibleRows);
    bar->setPageStep(visibleRows);
    bar->setSingleStep(1);
    bar->setValue(topRow);

    const HexViewLayout& layout = editor_.layout_;
    const int contentWidth = grid_ == EditorGrid::Hex ? layout.HexPaneContentWidth() : layout.CharPaneContentWidth();
    QScrollBar* across = horizontalScrollBar();
    across->setRange(0, std::max(0, contentWidth - viewport()->width()));
    across->setPageStep(viewport()->width());
    across->setSingleStep(layout.ByteColumnWidth());
}

int HexGridView::FittingRows() const
{
    return editor_.layout_.VisibleRows(viewport()->height());
}

int HexGridView::ContentLeft() const
{
    return -horizontalScrollBar()->value();
}

int HexGridView::ContentX(QPoint point) const
{
    return point.x() - ContentLeft();
}

QPoint HexGridView::CellCentre(std::int32_t address) const
{
    const HexViewLayout& layout = editor_.layout_;
    int row = 0;
    const int column = HexCellOfAddress(address, row);
    const int y = layout.RowTop(editor_.cursor_.TopRow(), row) + layout.RowHeight() / 2;
    if (grid_ == EditorGrid::Hex) {
        return {ContentLeft() + layout.HexColumnLeft(column) + layout.ByteColumnWidth() / 2, y};
    }
    return {ContentLeft() + layout.CharColumnLeft(column - 1) + layout.CharColumnWidth() / 2, y};
}

std::optional<GridCell> HexGridView::CellAt(QPoint point) const
{
    const HexViewLayout& layout = editor_.layout_;
    const int top = editor_.cursor_.TopRow();
    if (grid_ == EditorGrid::Hex) return layout.HexCellAt(ContentX(point), point.y(), top);
    const auto cell = layout.CharCellAt(ContentX(point), point.y(), top);
    if (!cell) return std::nullopt;
    return GridCell{cell->column + 1, cell->row};
}

GridCell HexGridView::CellNearest(QPoint point) const
{
    const HexViewLayout& layout = editor_.layout_;
    const int top = editor_.cursor_.TopRow();
    if (grid_ == EditorGrid::Hex) return layout.HexCellNearest(ContentX(point), point.y(), top);
    const GridCell cell = layout.CharCellNearest(ContentX(point), point.y(), top);
    return {cell.column + 1, cell.row};
}

void HexGridView::paintEvent(QPaintEvent* event)
{
    const HexViewLayout& layout = editor_.layout_;
    const MemoryBuffer& buffer = *editor_.buffer_;
    const EditorCursor& cursor = editor_.cursor_;
    const Colour background = editor_.options_.colours.background;
    const QColor normalBackground = ToQColor(background);
    const QColor selectedBackground = ToQColor(background ^ kSelectedBackgroundXor);
    const Selection selection = cursor.GetSelection();
    const bool hex = grid_ == EditorGrid::Hex;
    const std::array<QString, 256>& texts = hex ? ByteTexts() : CharTexts();

    QPainter painter(viewport());
    const QRect exposed = event->rect();
    painter.fillRect(exposed, normalBackground);
    painter.setFont(hex ? editor_.hexFont_ : editor_.charFont_);
    const int ascent = painter.fontMetrics().ascent();
    const int insetY = hex ? layout.HexTextInsetY() : layout.CharTextInsetY();
    const int insetX = layout.TextInsetX();
    const int left = ContentLeft();
    const int rowHeight = layout.RowHeight();
    const int cellWidth = hex ? layout.ByteColumnWidth() : layout.CharColumnWidth();
    const int firstByteLeft = left + (hex ? layout.HexColumnLeft(1) : 0);

    const RowSpan rows = layout.ExposedRows(cursor.TopRow(), exposed.top(), exposed.bottom());
    for (int row = rows.first; row <= rows.last; ++row) {
        const int top = layout.RowTop(cursor.TopRow(), row);
        if (hex) {
            painter.setPen(ToQColor(editor_.options_.colours.fixed));
            painter.drawText(left + insetX, top + insetY + ascent, RowAddressText(row));
        }
        const bool rowSelected = row >= selection.Top() && row <= selection.Bottom();
        if (rowSelected) {
            const int x = firstByteLeft + (selection.Left() - 1) * cellWidth;
            painter.fillRect(x, top, selection.ColumnCount() * cellWidth, rowHeight, selectedBackground);
        }
        Colour penColour = 0xFFFFFFFF;
        for (int column = 1; column <= HexViewLayout::kBytesPerRow; ++column) {
            const std::int32_t address = HexCellAddress(column, row);
            const Colour colour = buffer.GetCellColour(address);
            if (colour != penColour) {
                painter.setPen(ToQColor(colour));
                penColour = colour;
            }
            const int x = firstByteLeft + (column - 1) * cellWidth;
            painter.drawText(x + insetX, top + insetY + ascent, texts[buffer.GetByte(address)]);
        }
    }

    if (hasFocus() && cursor.Row() >= rows.first && cursor.Row() <= rows.last) {
        QStyleOptionFocusRect option;
        option.initFrom(this);
        option.rect = QRect(firstByteLeft + (cursor.Column() - 1) * cellWidth,
                            layout.RowTop(cursor.TopRow(), cursor.Row()), cellWidth, rowHeight);
        option.backgroundColor = selectedBackground;
        style()->drawPrimitive(QStyle::PE_FrameFocusRect, &option, &painter, this);
    }
}

bool HexGridView::MoveByKey(const QKeyEvent& event)
{
    EditorCursor& cursor = editor_.cursor_;
    const bool extend = (event.modifiers() & Qt::ShiftModifier) != 0;
    const bool control = (event.modifiers() & Qt::ControlModifier) != 0;
    const int page = cursor.VisibleRows();
    switch (event.key()) {
    case Qt::Key_Left: cursor.MoveBy(-1, 0, extend); break;
    case Qt::Key_Right: cursor.MoveBy(1, 0, extend); break;
    case Qt::Key_Up: cursor.MoveBy(0, -1, extend); break;
    case Qt::Key_Down: cursor.MoveBy(0, 1, extend); break;
    case Qt::Key_PageUp:
        cursor.ScrollTo(cursor.TopRow() - page);
        cursor.MoveBy(0, -page, extend);
        break;
    case Qt::Key_PageDown:
        cursor.ScrollTo(cursor.TopRow() + page);
        cursor.MoveBy(0, page, extend);
        break;
    case Qt::Key_Home:
        cursor.MoveBy(Selection::kFirstColumn - cursor.Column(), control ? -cursor.Row() : 0, extend);
        break;
    case Qt::Key_End:
        cursor.MoveBy(Selection::kLastColumn - cursor.Column(), control ? Selection::kLastRow - cursor.Row() : 0,
                      extend);
        break;
    default: return false;
    }
    return true;
}

void HexGridView::keyPressEvent(QKeyEvent* event)
{
    if (MoveByKey(*event)) {
        editor_.CursorMoved();
        return;
    }
    if (event->text().isEmpty()) {
        QAbstractScrollArea::keyPressEvent(event);
        return;
    }
    editor_.PaneKeyTyped(grid_, event->text());
}

void HexGridView::mousePressEvent(QMouseEvent* event)
{
    if (event->button() != Qt::LeftButton) {
        QAbstractScrollArea::mousePressEvent(event);
        return;
    }
    setFocus(Qt::MouseFocusReason);
    const auto cell = CellAt(event->position().toPoint());
    if (!cell) return;
    if ((event->modifiers() & Qt::ShiftModifier) != 0) {
        editor_.cursor_.ExtendTo(cell->column, cell->row);
    } else {
        editor_.cursor_.MoveTo(cell->column, cell->row);
    }
    editor_.PaneClicked(grid_);
}

void HexGridView::mouseMoveEvent(QMouseEvent* event)
{
    if ((event->buttons() & Qt::LeftButton) == 0) return;
    const GridCell cell = CellNearest(event->position().toPoint());
    EditorCursor& cursor = editor_.cursor_;
    if (cell.column == cursor.Column() && cell.row == cursor.Row()) return;
    cursor.ExtendTo(cell.column, cell.row);
    editor_.CursorMoved();
}

void HexGridView::focusInEvent(QFocusEvent* event)
{
    QAbstractScrollArea::focusInEvent(event);
    editor_.PaneFocused(grid_);
}

void HexGridView::focusOutEvent(QFocusEvent* event)
{
    QAbstractScrollArea::focusOutEvent(event);
    viewport()->update();
}

void HexGridView::resizeEvent(QResizeEvent* event)
{
    QAbstractScrollArea::resizeEvent(event);
    editor_.PaneResized();
}

void HexGridView::scrollContentsBy(int dx, int dy)
{
    if (dy != 0) {
        editor_.PaneScrolled(verticalScrollBar()->value());
    } else if (dx != 0) {
        viewport()->update();
    }
}

void HexGridView::contextMenuEvent(QContextMenuEvent* event)
{
    editor_.PopupMenu()->popup(event->globalPos());
}

} // namespace zav
