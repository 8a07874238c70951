#include "ui/buffer/palette_combo_box.h"

#include <QPainter>
#include <QStyledItemDelegate>
#include <QStylePainter>

#include <algorithm>

#include "buffer/numeric_helpers.h"
#include "ui/buffer/qt_colour.h"

namespace zav {

namespace {

constexpr int kPaletteSize = 64;
// The design height of an item at 96 dots per inch.
constexpr int kItemDesignHeight = 14;

void PaintSwatch(QPainter& painter, const QRect& area, int index, const QColor& outline)
{
    if (index < 0 || index >= kPaletteSize) return;
    painter.save();
    painter.setPen(outline);
    painter.setBrush(ToQColor(ColourFromIndex(static_cast<PaletteIndex>(index))));
    painter.drawRect(area.adjusted(0, 0, -1, -1));
    painter.restore();
}

class SwatchDelegate : public QStyledItemDelegate {
public:
    using QStyledItemDelegate::QStyledItemDelegate;

    void paint(QPainter* painter, const QStyleOptionViewItem& option, const QModelIndex& index) const override
    {
        // The highlight frames the swatch so the chosen colour stays visible in the list.
        const bool selected = (option.state & QStyle::State_Selected) != 0;
        const QPalette& palette = option.palette;
        painter->fillRect(option.rect, selected ? palette.highlight() : palette.base());
        const QRect swatch = selected ? option.rect.adjusted(2, 2, -2, -2) : option.rect;
        PaintSwatch(*painter, swatch, index.row(), palette.color(QPalette::Base));
    }

    [[nodiscard]] QSize sizeHint(const QStyleOptionViewItem& option, const QModelIndex&) const override
    {
        const int height = std::max(kItemDesignHeight, option.fontMetrics.height());
        return {option.fontMetrics.horizontalAdvance(QStringLiteral("000000")), height};
    }
};

} // namespace

PaletteComboBox::PaletteComboBox(QWidget* parent) : QComboBox(parent)
{
    for (int index = 0; index < kPaletteSize; ++index) addItem(QString::number(index));
    setItemDelegate(new SwatchDelegate(this));
    // A scrolling list of 16 items rather than the style's menu of all 64, which would not
    // fit on the screen at larger scales.
    setStyleSheet(QStringLiteral("QComboBox { combobox-popup: 0; }"));
    setMaxVisibleItems(16);
}

void PaletteComboBox::paintEvent(QPaintEvent*)
{
    QStylePainter painter(this);
    QStyleOptionComboBox option;
    initStyleOption(&option);
    option.currentText.clear();
    painter.drawComplexControl(QStyle::CC_ComboBox, option);
    const QRect field = style()->subControlRect(QStyle::CC_ComboBox, &option, QStyle::SC_ComboBoxEditField, this);
    PaintSwatch(painter, field.adjusted(1, 1, -1, -1), currentIndex(), palette().color(QPalette::Base));
}

} // namespace zav
