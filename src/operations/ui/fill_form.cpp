#include "operations/ui/fill_form.h"

#include <QGridLayout>
#include <QVBoxLayout>

#include "widgets/labelled_field.h"
#include "widgets/ok_cancel_buttons.h"

namespace zav {

namespace {

HistoryComboBox* AddField(QGridLayout& grid, int column, QLabel*& label, const QString& caption,
                          const QString& name, QWidget* parent)
{
    auto* field = NewLabelledField<HistoryComboBox>(label, caption, name, parent);
    grid.addWidget(label, 0, column);
    grid.addWidget(field, 1, column);
    return field;
}

} // namespace

TForm5::TForm5(MemoryBuffer& buffer, MessageBoxes& boxes, QWidget* parent)
    : QDialog(parent), buffer_(buffer), boxes_(boxes)
{
    setWindowTitle(QStringLiteral("Fill Array"));
    auto* fields = new QGridLayout;
    ComboBox1 = AddField(*fields, 0, Label1, QStringLiteral("Value"), QStringLiteral("ComboBox1"), this);
    ComboBox2 =
        AddField(*fields, 1, Label2, QStringLiteral("From Address"), QStringLiteral("ComboBox2"), this);
    ComboBox3 = AddField(*fields, 2, Label3, QStringLiteral("To Address"), QStringLiteral("ComboBox3"), this);
    auto* buttons = new OkCancelButtons(this);
    Button1 = buttons->Ok();
    Button2 = buttons->Cancel();

    auto* layout = new QVBoxLayout(this);
    layout->addLayout(fields);
    layout->addWidget(buttons);
    layout->setSizeConstraint(QLayout::SetFixedSize);

    connect(Button1, &QPushButton::clicked, this, &TForm5::Button1Click);
    connect(Button2, &QPushButton::clicked, this, &QDialog::reject);
}

void TForm5::Preset(std::int32_t cursorAddress, const Selection& selection)
{
    selection_ = selection;
    cursorTarget_.reset();
    model_.Preset(buffer_, cursorAddress);
    ComboBox1->ShowField(model_.Value());
    ComboBox2->ShowField(model_.From());
    ComboBox3->ShowField(model_.To());
    SetControlsEnabled(!selection.HasSelection(), {Label2, ComboBox2, Label3, ComboBox3});
}

void TForm5::showEvent(QShowEvent* event)
{
    QDialog::showEvent(event);
    ComboBox1->FocusAndSelect();
}

void TForm5::Button1Click()
{
    ComboBox1->StoreText(model_.Value());
    ComboBox2->StoreText(model_.From());
    ComboBox3->StoreText(model_.To());
    cursorTarget_ = model_.Ok(buffer_, selection_, boxes_);
    if (!cursorTarget_) return;
    ComboBox1->ShowField(model_.Value());
    ComboBox2->ShowField(model_.From());
    ComboBox3->ShowField(model_.To());
    accept();
}

} // namespace zav
