#include "ui/operations/fill_form.h"

#include <QGridLayout>

#include "widgets/dialog_stack.h"
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
    auto* buttons = new OkCancelButtons(*this, [this] { Button1Click(); });
    Button1 = buttons->Ok();
    Button2 = buttons->Cancel();
    StackDialog(*this, {fields, buttons});
    fields_.Bind(ComboBox1, model_.Value());
    fields_.Bind(ComboBox2, model_.From());
    fields_.Bind(ComboBox3, model_.To());
    SelectOnShow(*this, *ComboBox1);
}

void TForm5::Preset(std::int32_t cursorAddress, const Selection& selection)
{
    selection_ = selection;
    cursorTarget_.reset();
    model_.Preset(buffer_, cursorAddress);
    fields_.ShowAll();
    SetControlsEnabled(!selection.HasSelection(), {Label2, ComboBox2, Label3, ComboBox3});
}

void TForm5::Button1Click()
{
    fields_.StoreAll();
    cursorTarget_ = model_.Ok(buffer_, selection_, boxes_);
    if (!cursorTarget_) return;
    fields_.ShowAll();
    accept();
}

} // namespace zav
