#include "widgets/radio_group.h"

#include <QGridLayout>
#include <QRadioButton>

namespace zav {

RadioGroup::RadioGroup(const QString& title, const QStringList& items, int columns, QWidget* parent)
    : QGroupBox(title, parent)
{
    auto* layout = new QGridLayout(this);
    for (int i = 0; i < items.size(); ++i) {
        auto* button = new QRadioButton(items[i], this);
        buttons_.addButton(button, i);
        layout->addWidget(button, i / columns, i % columns);
    }
    SetItemIndex(0);
    connect(&buttons_, &QButtonGroup::idToggled, this, [this](int id, bool checked) {
        if (checked) emit ItemIndexChanged(id);
    });
}

int RadioGroup::ItemIndex() const
{
    return buttons_.checkedId();
}

void RadioGroup::SetItemIndex(int index)
{
    if (QAbstractButton* button = buttons_.button(index)) button->setChecked(true);
}

} // namespace zav
