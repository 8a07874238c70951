#include "operations/ui/copy_as_form.h"

#include <QClipboard>
#include <QGridLayout>
#include <QGuiApplication>
#include <QVBoxLayout>

#include "widgets/labelled_field.h"
#include "widgets/latin1_text.h"
#include "widgets/ok_cancel_buttons.h"

namespace zav {

TForm6::TForm6(const MemoryBuffer& buffer, MessageBoxes& boxes, QWidget* parent)
    : QDialog(parent), buffer_(buffer), boxes_(boxes)
{
    setWindowTitle(QStringLiteral("Copy As "));
    ComboBox1 = new QComboBox(this);
    ComboBox1->setObjectName(QStringLiteral("ComboBox1"));
    ComboBox1->addItems({QStringLiteral("ANSI C Array"), QStringLiteral("Assembler Data Array"),
                         QStringLiteral("HyperText Markup Language (HTM)")});
    ComboBox2 = NewLabelledField<HistoryComboBox>(Label2, QStringLiteral("From Address"),
                                                  QStringLiteral("ComboBox2"), this);
    ComboBox3 = NewLabelledField<HistoryComboBox>(Label3, QStringLiteral("To Address"),
                                                  QStringLiteral("ComboBox3"), this);

    auto* buttons = new OkCancelButtons(this);
    Button1 = buttons->Ok();
    Button2 = buttons->Cancel();

    auto* fields = new QGridLayout;
    fields->addWidget(ComboBox1, 0, 0, 1, 2);
    fields->addWidget(Label2, 1, 0);
    fields->addWidget(Label3, 1, 1);
    fields->addWidget(ComboBox2, 2, 0);
    fields->addWidget(ComboBox3, 2, 1);
    auto* layout = new QVBoxLayout(this);
    layout->addLayout(fields);
    layout->addWidget(buttons);
    layout->setSizeConstraint(QLayout::SetFixedSize);

    connect(Button1, &QPushButton::clicked, this, &TForm6::Button1Click);
    connect(Button2, &QPushButton::clicked, this, &QDialog::reject);
}

void TForm6::Preset(std::int32_t cursorAddress, const Selection& selection, const QString& title)
{
    selection_ = selection;
    title_ = title;
    model_.Preset(cursorAddress);
    ComboBox2->ShowField(model_.From());
    ComboBox3->ShowField(model_.To());
    SetControlsEnabled(!selection.HasSelection(), {Label2, ComboBox2, Label3, ComboBox3});
}

void TForm6::showEvent(QShowEvent* event)
{
    QDialog::showEvent(event);
    // A typed range is what the user usually changes; a selection leaves only the format.
    if (ComboBox2->isEnabled()) {
        ComboBox2->FocusAndSelect();
    } else {
        ComboBox1->setFocus(Qt::OtherFocusReason);
    }
}

void TForm6::Button1Click()
{
    model_.SetFormat(static_cast<CopyAsFormat>(ComboBox1->currentIndex()));
    ComboBox2->StoreText(model_.From());
    ComboBox3->StoreText(model_.To());
    const auto text = model_.Ok(buffer_, selection_, ToLatin1(title_), boxes_);
    if (!text) return;
    ComboBox2->ShowField(model_.From());
    ComboBox3->ShowField(model_.To());
    QGuiApplication::clipboard()->setText(FromLatin1(*text));
    accept();
}

} // namespace zav
