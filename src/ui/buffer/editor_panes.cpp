#include "ui/buffer/editor_panes.h"

#include <QApplication>
#include <QFontMetrics>
#include <QSplitter>
#include <QStyle>

#include <algorithm>

#include "ui/buffer/byte_glyph_text.h"
#include "ui/buffer/hex_grid_view.h"

namespace zav {

namespace {

// The editor's fonts are kept by name; asking for a fixed-pitch typewriter face lets the
// system substitute a monospaced font for names it does not have ("System", "Terminal").
// 13 pixels at 96 dots per inch, given in points so that it follows the screen's scale.
QFont EditorFont(const std::string& name)
{
    QFont font(QString::fromStdString(name));
    font.setStyleHint(QFont::TypeWriter);
    font.setFixedPitch(true);
    font.setPointSizeF(13 * 72.0 / 96.0);
    return font;
}

FontCellMetrics MetricsOf(const QFont& font, const QString& characters)
{
    const QFontMetrics metrics(font);
    int widest = 1;
    for (const QChar character : characters) widest = std::max(widest, metrics.horizontalAdvance(character));
    return {widest, metrics.height()};
}

} // namespace

EditorPanes::EditorPanes(QWidget& window, MemoryBuffer& buffer, const EditorOptions& options,
                         EditorPanesHost& host)
    : buffer_(buffer), options_(options), host_(host)
{
    hexPane_ = new HexGridView(*this, EditorGrid::Hex, &window);
    charPane_ = new HexGridView(*this, EditorGrid::Char, &window);
    splitter_ = new QSplitter(Qt::Horizontal, &window);
    splitter_->setObjectName(QStringLiteral("Splitter1"));
    splitter_->setHandleWidth(1);
    splitter_->setChildrenCollapsible(false);
    splitter_->addWidget(hexPane_);
    splitter_->addWidget(charPane_);
    splitter_->setStretchFactor(0, 0);
    splitter_->setStretchFactor(1, 1);
}

void EditorPanes::MeasureFonts(const EditorOptions& options)
{
    const QFont hexFont = EditorFont(options.leftFont);
    const QFont charFont = EditorFont(options.rightFont);
    hexPane_->SetPaneFont(hexFont);
    charPane_->SetPaneFont(charFont);
    const FontCellMetrics digits = MetricsOf(hexFont, QStringLiteral("0123456789ABCDEF"));
    hexPane_->SetDigitAdvance(digits.charWidth);
    layout_ = HexViewLayout(digits, MetricsOf(charFont, AllGlyphs()));
}

void EditorPanes::Repaint()
{
    hexPane_->viewport()->update();
    charPane_->viewport()->update();
}

void EditorPanes::RepaintCells(std::int32_t first, std::int32_t last)
{
    const int firstRow = std::max(first, 0) / HexViewLayout::kBytesPerRow;
    const int lastRow = std::min(last, buffer_.LastAddress()) / HexViewLayout::kBytesPerRow;
    const int top = cursor_.TopRow();
    const int bottom = top + cursor_.VisibleRows();
    if (lastRow < top || firstRow > bottom) return;
    const int y0 = layout_.RowTop(top, std::max(firstRow, top));
    const int y1 = layout_.RowTop(top, std::min(lastRow, bottom) + 1);
    for (HexGridView* pane : {hexPane_, charPane_}) {
        pane->viewport()->update(0, y0, pane->viewport()->width(), y1 - y0);
    }
}

void EditorPanes::AnnounceCursorCell()
{
    hexPane_->AnnounceCursorCell();
    charPane_->AnnounceCursorCell();
}

std::vector<bool> EditorPanes::PaneHighlights(std::int32_t first, std::int32_t last) const
{
    return host_.PaneHighlights(first, last);
}

void EditorPanes::PaneFocused(EditorGrid grid)
{
    cursor_.Focus(grid);
    keyEntry_.ClearPendingDigit();
    if (grid != scrollBarOwner_) {
        const int scrollBar = hexPane_->style()->pixelMetric(QStyle::PM_ScrollBarExtent);
        const QList<int> sizes = splitter_->sizes();
        const PaneWidths moved =
            HexViewLayout::MoveScrollBar({sizes.value(0), sizes.value(1)}, scrollBarOwner_, grid, scrollBar);
        hexPane_->SetOwnsScrollBar(grid == EditorGrid::Hex);
        charPane_->SetOwnsScrollBar(grid == EditorGrid::Char);
        splitter_->setSizes({moved.hex, moved.character});
        scrollBarOwner_ = grid;
    }
    host_.RepaintGrids();
}

void EditorPanes::PaneScrolled(int topRow)
{
    cursor_.ScrollTo(topRow);
    SyncScrollBars();
    Repaint();
}

void EditorPanes::PaneKeyTyped(EditorGrid grid, const QString& text)
{
    for (const QChar character : text) {
        // The character pane stores the byte it shows the character as. A character without
        // a byte of its own beeps: storing a substitute would silently write another byte.
        const std::optional<std::uint8_t> byte = ByteOfCharacter(character);
        if (!byte) {
            QApplication::beep();
            continue;
        }
        const char key = static_cast<char>(*byte);
        if (grid == EditorGrid::Char) {
            keyEntry_.TypeCharKey(key, buffer_, cursor_);
        } else if (keyEntry_.TypeHexKey(key, buffer_, cursor_) == HexKeyOutcome::NotADigit) {
            QApplication::beep();
        }
    }
    CursorMoved();
}

void EditorPanes::PaneClicked(EditorGrid grid)
{
    if (grid == EditorGrid::Hex) keyEntry_.ClearPendingDigit();
    CursorMoved();
}

void EditorPanes::PaneResized()
{
    cursor_.SetVisibleRows(std::min(hexPane_->FittingRows(), charPane_->FittingRows()));
    SyncScrollBars();
}

void EditorPanes::CursorMoved()
{
    SyncScrollBars();
    Repaint();
    host_.ShowCursorCell();
}

void EditorPanes::SyncScrollBars()
{
    hexPane_->SyncScrollBar(cursor_.TopRow(), cursor_.VisibleRows());
    charPane_->SyncScrollBar(cursor_.TopRow(), cursor_.VisibleRows());
}

} // namespace zav
