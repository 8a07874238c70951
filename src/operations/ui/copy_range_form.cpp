#include "operations/ui/copy_range_form.h"

#include <QClipboard>
#include <QGridLayout>
#include <QGuiApplication>
#include <QVBoxLayout>

#include "widgets/labelled_field.h"
#include "widgets/latin1_text.h"
#include "widgets/ok_cancel_buttons.h"

namespace zav {

TForm2::TForm2(const MemoryBuffer& buffer, MessageBoxes& boxes, QWidget* parent)
    : QDialog(parent), buffer_(buffer), boxes_(boxes)
{
    setWindowTitle(QStringLiteral("Copy Array"));
    ComboBox1 = NewLabelledField<HistoryComboBox>(Label1, QStringLiteral("From Address"),
                                                  QStringLiteral("ComboBox1"), this);
    ComboBox2 = NewLabelledField<HistoryComboBox>(StaticText2, QStringLiteral("To Address"),
                                                  QStringLiteral("ComboBox2"), this);
    auto* buttons = new OkCancelButtons(this);
    Button1 = buttons->Ok();
    Button2 = buttons->Cancel();

    auto* fields = new QGridLayout;
    fields->addWidget(Label1, 0, 0);
    fields->addWidget(StaticText2, 0, 1);
    fields->addWidget(ComboBox1, 1, 0);
    fields->addWidget(ComboBox2, 1, 1);
    auto* layout = new QVBoxLayout(this);
    layout->addLayout(fields);
    layout->addWidget(buttons);
    layout->setSizeConstraint(QLayout::SetFixedSize);

    connect(Button1, &QPushButton::clicked, this, &TForm2::Button1Click);
    connect(Button2, &QPushButton::clicked, this, &QDialog::reject);
}

void TForm2::Preset(std::int32_t cursorAddress)
{
    model_.Preset(cursorAddress);
    ComboBox1->ShowField(model_.From());
    ComboBox2->ShowField(model_.To());
}

void TForm2::showEvent(QShowEvent* event)
{
    QDialog::showEvent(event);
    ComboBox1->FocusAndSelect();
}

void TForm2::Button1Click()
{
    ComboBox1->StoreText(model_.From());
    ComboBox2->StoreText(model_.To());
    const auto text = model_.Ok(buffer_, boxes_);
    if (!text) return;
    ComboBox1->ShowField(model_.From());
    ComboBox2->ShowField(model_.To());
    QGuiApplication::clipboard()->setText(FromLatin1(*text));
    accept();
}

} // namespace zav
