#include "ui/operations/copy_range_form.h"

#include <QClipboard>
#include <QGridLayout>
#include <QGuiApplication>

#include "widgets/dialog_stack.h"
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
    auto* buttons = new OkCancelButtons(*this, [this] { Button1Click(); });
    Button1 = buttons->Ok();
    Button2 = buttons->Cancel();

    auto* fields = new QGridLayout;
    fields->addWidget(Label1, 0, 0);
    fields->addWidget(StaticText2, 0, 1);
    fields->addWidget(ComboBox1, 1, 0);
    fields->addWidget(ComboBox2, 1, 1);
    StackDialog(*this, {fields, buttons});
    fields_.Bind(ComboBox1, model_.From());
    fields_.Bind(ComboBox2, model_.To());
    SelectOnShow(*this, *ComboBox1);
}

void TForm2::Preset(std::int32_t cursorAddress)
{
    model_.Preset(cursorAddress);
    fields_.ShowAll();
}

void TForm2::Button1Click()
{
    fields_.StoreAll();
    const auto text = model_.Ok(buffer_, boxes_);
    if (!text) return;
    fields_.ShowAll();
    QGuiApplication::clipboard()->setText(FromLatin1(*text));
    accept();
}

} // namespace zav
