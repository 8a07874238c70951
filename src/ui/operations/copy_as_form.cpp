#include "ui/operations/copy_as_form.h"

#include <QClipboard>
#include <QGridLayout>
#include <QGuiApplication>

#include "ui/operations/from_to_address_fields.h"
#include "widgets/dialog_stack.h"
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
    auto* fields = new QGridLayout;
    fields->addWidget(ComboBox1, 0, 0, 1, 2);
    range_ = FromToAddressFields::Add(*fields, 1, 0, QStringLiteral("ComboBox2"), QStringLiteral("ComboBox3"),
                                      this);
    auto* buttons = new OkCancelButtons(*this, [this] { Button1Click(); });
    StackDialog(*this, {fields, buttons});
    range_.Bind(fields_, model_.From(), model_.To());
}

void TForm6::Preset(std::int32_t cursorAddress, const Selection& selection, const QString& title)
{
    selection_ = selection;
    title_ = title;
    model_.Preset(cursorAddress);
    fields_.ShowAll();
    range_.SetEnabled(!selection.HasSelection());
}

void TForm6::showEvent(QShowEvent* event)
{
    QDialog::showEvent(event);
    // A typed range is what the user usually changes; a selection leaves only the format.
    if (range_.from->isEnabled()) {
        range_.from->FocusAndSelect();
    } else {
        ComboBox1->setFocus(Qt::OtherFocusReason);
    }
}

void TForm6::Button1Click()
{
    model_.SetFormat(static_cast<CopyAsFormat>(ComboBox1->currentIndex()));
    fields_.StoreAll();
    const auto text = model_.Ok(buffer_, selection_, ToLatin1(title_), boxes_);
    if (!text) return;
    fields_.ShowAll();
    QGuiApplication::clipboard()->setText(FromLatin1(*text));
    accept();
}

} // namespace zav
