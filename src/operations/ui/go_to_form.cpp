#include "operations/ui/go_to_form.h"

#include <QVBoxLayout>

#include "widgets/ok_cancel_buttons.h"

namespace zav {

TForm3::TForm3(std::int32_t lastAddress, MessageBoxes& boxes, QWidget* parent)
    : QDialog(parent), lastAddress_(lastAddress), boxes_(boxes)
{
    setWindowTitle(QStringLiteral("Go To Address"));
    ComboBox1 = new HistoryComboBox(this);
    ComboBox1->setObjectName(QStringLiteral("ComboBox1"));
    // Wide enough that the dialog's caption shows in full above the field.
    ComboBox1->setMinimumWidth(ComboBox1->fontMetrics().averageCharWidth() * 28);
    auto* buttons = new OkCancelButtons(this);
    Button1 = buttons->Ok();
    Button2 = buttons->Cancel();

    auto* layout = new QVBoxLayout(this);
    layout->addWidget(ComboBox1);
    layout->addWidget(buttons);
    layout->setSizeConstraint(QLayout::SetFixedSize);

    connect(Button1, &QPushButton::clicked, this, &TForm3::Button1Click);
    connect(Button2, &QPushButton::clicked, this, &QDialog::reject);
}

void TForm3::Preset(std::int32_t cursorAddress)
{
    target_.reset();
    model_.Preset(cursorAddress);
    ComboBox1->ShowField(model_.Address());
}

void TForm3::showEvent(QShowEvent* event)
{
    QDialog::showEvent(event);
    ComboBox1->FocusAndSelect();
}

void TForm3::Button1Click()
{
    ComboBox1->StoreText(model_.Address());
    target_ = model_.Ok(lastAddress_, boxes_);
    if (!target_) return;
    ComboBox1->ShowField(model_.Address());
    accept();
}

} // namespace zav
