#include "ui/operations/copy_range_form.h"

#include <QClipboard>
#include <QGridLayout>
#include <QGuiApplication>

#include "ui/operations/from_to_address_fields.h"
#include "widgets/dialog_stack.h"
#include "widgets/latin1_text.h"
#include "widgets/ok_cancel_buttons.h"

namespace zav {

TForm2::TForm2(const MemoryBuffer& buffer, MessageBoxes& boxes, QWidget* parent)
    : QDialog(parent), buffer_(buffer), boxes_(boxes)
{
    setWindowTitle(QStringLiteral("Copy Array"));
    auto* fields = new QGridLayout;
    range_ = FromToAddressFields::Add(*fields, 0, 0, QStringLiteral("ComboBox1"), QStringLiteral("ComboBox2"),
                                      this);
    auto* buttons = new OkCancelButtons(*this, [this] { Button1Click(); });
    StackDialog(*this, {fields, buttons});
    range_.Bind(fields_, model_.From(), model_.To());
    SelectOnShow(*this, *range_.from);
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
