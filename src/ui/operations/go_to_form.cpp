#include "ui/operations/go_to_form.h"

#include "widgets/dialog_stack.h"
#include "widgets/ok_cancel_buttons.h"
#include "widgets/reader_name.h"

namespace zav {

TForm3::TForm3(std::int32_t lastAddress, MessageBoxes& boxes, QWidget* parent)
    : QDialog(parent), lastAddress_(lastAddress), boxes_(boxes)
{
    setWindowTitle(QStringLiteral("Go To Address"));
    ComboBox1 = new HistoryComboBox(this);
    ComboBox1->setObjectName(QStringLiteral("ComboBox1"));
    SetReaderName(*ComboBox1, QStringLiteral("Address"));
    auto* buttons = new OkCancelButtons(*this, [this] { Button1Click(); });
    StackDialog(*this, {ComboBox1, buttons});
    SelectOnShow(*this, *ComboBox1);
}

void TForm3::Preset(std::int32_t cursorAddress)
{
    target_.reset();
    model_.Preset(cursorAddress);
    ComboBox1->ShowField(model_.Address());
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
