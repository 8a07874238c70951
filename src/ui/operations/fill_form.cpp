#include "ui/operations/fill_form.h"

#include <QGridLayout>

#include "ui/operations/from_to_address_fields.h"
#include "widgets/dialog_stack.h"
#include "widgets/labelled_field.h"
#include "widgets/ok_cancel_buttons.h"

namespace zav {

TForm5::TForm5(MemoryBuffer& buffer, MessageBoxes& boxes, QWidget* parent)
    : QDialog(parent), buffer_(buffer), boxes_(boxes)
{
    setWindowTitle(QStringLiteral("Fill Array"));
    auto* fields = new QGridLayout;
    ComboBox1 =
        NewLabelledField<HistoryComboBox>(Label1, QStringLiteral("Value"), QStringLiteral("ComboBox1"), this);
    fields->addWidget(Label1, 0, 0);
    fields->addWidget(ComboBox1, 1, 0);
    range_ = FromToAddressFields::Add(*fields, 0, 1, QStringLiteral("ComboBox2"), QStringLiteral("ComboBox3"),
                                      this);
    auto* buttons = new OkCancelButtons(*this, [this] { Button1Click(); });
    StackDialog(*this, {fields, buttons});
    fields_.Bind(ComboBox1, model_.Value());
    range_.Bind(fields_, model_.From(), model_.To());
    SelectOnShow(*this, *ComboBox1);
}

void TForm5::Preset(std::int32_t cursorAddress, const Selection& selection)
{
    selection_ = selection;
    cursorTarget_.reset();
    model_.Preset(buffer_, cursorAddress);
    fields_.ShowAll();
    range_.SetEnabled(!selection.HasSelection());
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
