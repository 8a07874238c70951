#include "widgets/dialog_stack.h"

#include <QStyle>

#include <algorithm>

#include "shell/window_placement.h"

namespace zav {

namespace {

// The width a title bar needs for the caption: window managers draw it in a bold face of
// about the dialog's size.
int CaptionWidth(const QDialog& dialog)
{
    QFont titleFont = dialog.font();
    titleFont.setBold(true);
    const QFontMetrics metrics(titleFont);
    const int titleBar =
        std::max(dialog.style()->pixelMetric(QStyle::PM_TitleBarHeight), metrics.height() * 3 / 2);
    return WidthForCaption(metrics.horizontalAdvance(dialog.windowTitle()), titleBar);
}

} // namespace

void DialogRow::AddTo(QVBoxLayout& layout) const
{
    if (widget_ != nullptr) {
        layout.addWidget(widget_);
    } else if (layout_ != nullptr) {
        layout.addLayout(layout_);
    } else {
        layout.addSpacing(gap_);
    }
}

QVBoxLayout* StackDialog(QDialog& dialog, std::initializer_list<DialogRow> rows)
{
    auto* layout = new QVBoxLayout(&dialog);
    for (const DialogRow& row : rows) row.AddTo(*layout);
    // A dialog of few fields would otherwise cut its own caption short.
    if (!dialog.windowTitle().isEmpty()) {
        const QMargins margins = layout->contentsMargins();
        layout->addStrut(CaptionWidth(dialog) - margins.left() - margins.right());
    }
    layout->setSizeConstraint(QLayout::SetFixedSize);
    return layout;
}

} // namespace zav
