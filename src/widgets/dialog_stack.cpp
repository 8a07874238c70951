#include "widgets/dialog_stack.h"

namespace zav {

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
    layout->setSizeConstraint(QLayout::SetFixedSize);
    return layout;
}

} // namespace zav
