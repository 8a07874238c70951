#include "ui/buffer/hex_grid_view.h"

#include <QAccessible>
#include <QFontDatabase>
#include <QFontInfo>
#include <QFontMetrics>
#include <QKeyEvent>
#include <QPainter>
#include <QScrollBar>

#include <array>
#include <vector>

#include "buffer/memory_buffer.h"
#include "buffer/numeric_helpers.h"
#include "ui/buffer/byte_glyph_text.h"
#include "ui/buffer/hex_pane_accessible.h"
#include "ui/buffer/qt_colour.h"

namespace zav {

namespace {

constexpr Colour kSelectedBackgroundXor = 0x404040;
// On the default white: pale yellow behind search matches, pale blue behind a bookmarked
// row's address and under its cell.
constexpr Colour kMatchBackgroundXor = 0x600000;
constexpr Colour kBookmarkXor = 0x003C6C;

// What a byte shows as: the hex pane draws its two digits from the first 16 entries, the
// character pane the byte's glyph.
std::array<QChar, 256> PaneCharacters(EditorGrid grid)
{
    std::array<QChar, 256> characters{};
    for (int value = 0; value < 256; ++value) {
        QChar& character = characters[static_cast<std::size_t>(value)];
        if (grid == EditorGrid::Hex) {
            character = QLatin1Char(HexDigit(value));
        } else {
            character = GlyphOf(static_cast<std::uint8_t>(value));
        }
    }
    return characters;
}

} // namespace

HexGridView::HexGridView(HexPaneHost& editor, EditorGrid grid, QWidget* parent)
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
    setAccessibleName(grid == EditorGrid::Hex ? QStringLiteral("Hexadecimal dump")
                                              : QStringLiteral("Character dump"));
    // A reader reaches the bytes through the pane's own table.
    (void)HexPaneAccessible::FactoryInstalled();
}

void HexGridView::SetPaneFont(const QFont& font)
{
    setFont(font);
    // The system's fixed-pitch font stands in for glyphs the pane's font lacks, at its size.
    QFont fallback = QFontDatabase::systemFont(QFontDatabase::FixedFont);
    fallback.setPixelSize(QFontInfo(font).pixelSize());
    glyphs_.SetFont(QRawFont::fromFont(font), QRawFont::fromFont(fallback), PaneCharacters(grid_));
    ascent_ = QFontMetrics(font).ascent();
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

    const HexViewLayout& layout = editor_.PaneLayout();
    const int contentWidth =
        grid_ == EditorGrid::Hex ? layout.HexPaneContentWidth() : layout.CharPaneContentWidth();
    QScrollBar* across = horizontalScrollBar();
    across->setRange(0, std::max(0, contentWidth - viewport()->width()));
    across->setPageStep(viewport()->width());
    across->setSingleStep(layout.ByteColumnWidth());
}

int HexGridView::FittingRows() const
{
    return editor_.PaneLayout().VisibleRows(viewport()->height());
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
    const HexViewLayout& layout = editor_.PaneLayout();
    int row = 0;
    const int column = HexCellOfAddress(address, row);
    const int y = layout.RowTop(editor_.PaneCursor().TopRow(), row) + layout.RowHeight() / 2;
    if (grid_ == EditorGrid::Hex) {
        return {ContentLeft() + layout.HexColumnLeft(column) + layout.ByteColumnWidth() / 2, y};
    }
    return {ContentLeft() + layout.CharColumnLeft(column - 1) + layout.CharColumnWidth() / 2, y};
}

QRect HexGridView::CellRect(std::int32_t address) const
{
    const HexViewLayout& layout = editor_.PaneLayout();
    const int width = grid_ == EditorGrid::Hex ? layout.ByteColumnWidth() : layout.CharColumnWidth();
    const QPoint centre = CellCentre(address);
    return {centre.x() - width / 2, centre.y() - layout.RowHeight() / 2, width, layout.RowHeight()};
}

std::optional<std::int32_t> HexGridView::AddressAt(QPoint point) const
{
    const auto cell = CellAt(point);
    if (!cell) return std::nullopt;
    return HexCellAddress(cell->column, cell->row);
}

void HexGridView::AnnounceCursorCell()
{
    if (!hasFocus() || !QAccessible::isActive()) return;
    QAccessibleEvent focus(this, QAccessible::Focus);
    focus.setChild(editor_.PaneCursor().Address());
    QAccessible::updateAccessibility(&focus);
}

std::optional<GridCell> HexGridView::CellAt(QPoint point) const
{
    const HexViewLayout& layout = editor_.PaneLayout();
    const int top = editor_.PaneCursor().TopRow();
    if (grid_ == EditorGrid::Hex) return layout.HexCellAt(ContentX(point), point.y(), top);
    const auto cell = layout.CharCellAt(ContentX(point), point.y(), top);
    if (!cell) return std::nullopt;
    return GridCell{cell->column + 1, cell->row};
}

GridCell HexGridView::CellNearest(QPoint point) const
{
    const HexViewLayout& layout = editor_.PaneLayout();
    const int top = editor_.PaneCursor().TopRow();
    if (grid_ == EditorGrid::Hex) return layout.HexCellNearest(ContentX(point), point.y(), top);
    const GridCell cell = layout.CharCellNearest(ContentX(point), point.y(), top);
    return {cell.column + 1, cell.row};
}

// Where the rows one paint event exposes stand, shared by the parts of the paint.
struct HexGridView::PaintGeometry {
    RowSpan rows;
    int left = 0;
    int firstByteLeft = 0;
    int cellWidth = 0;
    int rowHeight = 0;
    double baselineY = 0;
};

void HexGridView::paintEvent(QPaintEvent* event)
{
    const HexViewLayout& layout = editor_.PaneLayout();
    const EditorColours& colours = editor_.PaneColours();
    const bool hex = grid_ == EditorGrid::Hex;

    QPainter painter(viewport());
    const QRect exposed = event->rect();
    painter.fillRect(exposed, ToQColor(colours.background));
    PaintGeometry geometry;
    geometry.rows = layout.ExposedRows(editor_.PaneCursor().TopRow(), exposed.top(), exposed.bottom());
    geometry.left = ContentLeft();
    geometry.rowHeight = layout.RowHeight();
    geometry.cellWidth = hex ? layout.ByteColumnWidth() : layout.CharColumnWidth();
    geometry.firstByteLeft = geometry.left + (hex ? layout.HexColumnLeft(1) : 0);
    geometry.baselineY = (hex ? layout.HexTextInsetY() : layout.CharTextInsetY()) + ascent_;

    PaintRowBackgrounds(painter, geometry);
    AddRowGlyphs(geometry);
    PaintDifferenceMarks(painter, geometry.rows, geometry.firstByteLeft, geometry.cellWidth);
    glyphs_.Draw(painter, ToQColor(colours.fixed));
    PaintCursorFrame(painter, geometry);
}

// Behind the digits: search matches, bookmarks and the selection.
void HexGridView::PaintRowBackgrounds(QPainter& painter, const PaintGeometry& geometry)
{
    const HexViewLayout& layout = editor_.PaneLayout();
    const EditorCursor& cursor = editor_.PaneCursor();
    const Colour background = editor_.PaneColours().background;
    const Selection selection = cursor.GetSelection();
    const RowSpan& rows = geometry.rows;
    const int width = geometry.cellWidth;
    const int height = geometry.rowHeight;
    const std::int32_t firstExposed = rows.first * HexViewLayout::kBytesPerRow;
    const std::vector<bool> matched =
        editor_.PaneHighlights(firstExposed, (rows.last + 1) * HexViewLayout::kBytesPerRow - 1);
    const QColor matchBackground = ToQColor(background ^ kMatchBackgroundXor);
    const QColor bookmarkColour = ToQColor(background ^ kBookmarkXor);
    const Bookmarks& bookmarks = editor_.PaneBookmarks();
    for (int row = rows.first; row <= rows.last; ++row) {
        const int top = layout.RowTop(cursor.TopRow(), row);
        for (int column = 1; column <= HexViewLayout::kBytesPerRow; ++column) {
            const std::int32_t address = HexCellAddress(column, row);
            const int x = geometry.firstByteLeft + (column - 1) * width;
            if (matched[static_cast<std::size_t>(address - firstExposed)]) {
                painter.fillRect(x, top, width, height, matchBackground);
            }
            if (bookmarks.Contains(address)) painter.fillRect(x, top + height - 2, width, 2, bookmarkColour);
        }
        if (grid_ == EditorGrid::Hex && bookmarks.RowHasBookmark(row * HexViewLayout::kBytesPerRow)) {
            painter.fillRect(geometry.left, top, layout.HexColumnLeft(1), height, bookmarkColour);
        }
        if (row >= selection.Top() && row <= selection.Bottom()) {
            const int x = geometry.firstByteLeft + (selection.Left() - 1) * width;
            painter.fillRect(x, top, selection.ColumnCount() * width, height,
                             ToQColor(background ^ kSelectedBackgroundXor));
        }
    }
}

void HexGridView::AddRowGlyphs(const PaintGeometry& geometry)
{
    const HexViewLayout& layout = editor_.PaneLayout();
    const MemoryBuffer& buffer = editor_.PaneBuffer();
    const int topRow = editor_.PaneCursor().TopRow();
    const double textX = layout.TextInsetX();
    const bool hex = grid_ == EditorGrid::Hex;
    for (int row = geometry.rows.first; row <= geometry.rows.last; ++row) {
        const double baseline = layout.RowTop(topRow, row) + geometry.baselineY;
        if (hex) {
            // The row's address: four digits, the last always 0.
            const int address = row * HexViewLayout::kBytesPerRow;
            for (int digit = 0; digit < 4; ++digit) {
                const int value = (address >> (12 - 4 * digit)) & 0x0F;
                glyphs_.Add(GlyphBatch::kOwnColourRun, value,
                            {geometry.left + textX + digit * hexDigitAdvance_, baseline});
            }
        }
        for (int column = 1; column <= HexViewLayout::kBytesPerRow; ++column) {
            const std::int32_t address = HexCellAddress(column, row);
            const int colour = buffer.GetCellState(address) & CellState::kColourMask;
            const std::uint8_t value = buffer.GetByte(address);
            const double x = geometry.firstByteLeft + (column - 1) * geometry.cellWidth + textX;
            if (hex) {
                glyphs_.Add(colour, value >> 4, {x, baseline});
                glyphs_.Add(colour, value & 0x0F, {x + hexDigitAdvance_, baseline});
            } else {
                glyphs_.Add(colour, value, {x, baseline});
            }
        }
    }
}

// A dotted frame in the background's inverse shows which pane takes the keys, on any
// background colour.
void HexGridView::PaintCursorFrame(QPainter& painter, const PaintGeometry& geometry)
{
    const EditorCursor& cursor = editor_.PaneCursor();
    if (!hasFocus() || cursor.Row() < geometry.rows.first || cursor.Row() > geometry.rows.last) return;
    QPen frame(ToQColor(editor_.PaneColours().background ^ 0xFFFFFF), 1, Qt::DotLine);
    frame.setCosmetic(true);
    painter.setPen(frame);
    painter.setBrush(Qt::NoBrush);
    const int width = geometry.cellWidth;
    painter.drawRect(QRectF(geometry.firstByteLeft + (cursor.Column() - 1) * width,
                            editor_.PaneLayout().RowTop(cursor.TopRow(), cursor.Row()), width,
                            geometry.rowHeight)
                         .adjusted(0.5, 0.5, -0.5, -0.5));
}

void HexGridView::PaintDifferenceMarks(QPainter& painter, const RowSpan& rows, int firstByteLeft,
                                       int cellWidth)
{
    const DifferenceMarks& marks = editor_.PaneDifferences();
    if (marks.Empty()) return;
    const HexViewLayout& layout = editor_.PaneLayout();
    const int top = editor_.PaneCursor().TopRow();
    // Drawn in the background's inverse, hatched behind the digits and framed, so a mark
    // shows on every cell colour and next to the selection. The hatching is faint, so the
    // digits on it stay legible; it is drawn once into a tile that every mark reuses, since
    // filling cells with a translucent pattern brush is slow.
    const QColor ink = ToQColor(editor_.PaneColours().background ^ 0xFFFFFF);
    const QSize cellSize(cellWidth, layout.RowHeight());
    if (markTile_.size() != cellSize * devicePixelRatio() || markInk_ != ink) {
        markTile_ = QPixmap(cellSize * devicePixelRatio());
        markTile_.setDevicePixelRatio(devicePixelRatio());
        markTile_.fill(Qt::transparent);
        QPainter tile(&markTile_);
        QColor hatch = ink;
        hatch.setAlpha(80);
        tile.fillRect(QRect(QPoint(0, 0), cellSize), QBrush(hatch, Qt::BDiagPattern));
        QPen frame(ink, 2);
        frame.setCosmetic(true);
        tile.setPen(frame);
        tile.drawRect(QRectF(QPointF(0, 0), QSizeF(cellSize)).adjusted(1, 1, -1, -1));
        markInk_ = ink;
    }
    for (const CellDifference& mark : marks.Within(rows.first * HexViewLayout::kBytesPerRow,
                                                   (rows.last + 1) * HexViewLayout::kBytesPerRow - 1)) {
        int row = 0;
        const int column = HexCellOfAddress(mark.address, row);
        painter.drawPixmap(QPoint(firstByteLeft + (column - 1) * cellWidth, layout.RowTop(top, row)),
                           markTile_);
    }
}

bool HexGridView::MoveByKey(const QKeyEvent& event)
{
    EditorCursor& cursor = editor_.PaneCursor();
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
        cursor.MoveBy(Selection::kLastColumn - cursor.Column(),
                      control ? Selection::kLastRow - cursor.Row() : 0, extend);
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
        editor_.PaneCursor().ExtendTo(cell->column, cell->row);
    } else {
        editor_.PaneCursor().MoveTo(cell->column, cell->row);
    }
    editor_.PaneClicked(grid_);
}

void HexGridView::mouseMoveEvent(QMouseEvent* event)
{
    if ((event->buttons() & Qt::LeftButton) == 0) return;
    const GridCell cell = CellNearest(event->position().toPoint());
    EditorCursor& cursor = editor_.PaneCursor();
    if (cell.column == cursor.Column() && cell.row == cursor.Row()) return;
    cursor.ExtendTo(cell.column, cell.row);
    editor_.CursorMoved();
}

void HexGridView::focusInEvent(QFocusEvent* event)
{
    QAbstractScrollArea::focusInEvent(event);
    editor_.PaneFocused(grid_);
    AnnounceCursorCell();
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
    editor_.PanePopupMenu(event->globalPos());
}

} // namespace zav
