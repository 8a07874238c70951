#include "operations/ui/swap_form.h"

#include <QVBoxLayout>

#include "operations/swap.h"
#include "widgets/ok_cancel_buttons.h"

namespace zav {

TForm4::TForm4(MemoryBuffer& buffer, QWidget* parent) : QDialog(parent), buffer_(buffer)
{
    setWindowTitle(QStringLiteral("Swap"));
    RadioGroup1 = new RadioGroup(
        QString(), {QStringLiteral("Byte"), QStringLiteral("Word"), QStringLiteral("Double Word")}, 1, this);
    RadioGroup1->setObjectName(QStringLiteral("RadioGroup1"));
    auto* buttons = new OkCancelButtons(this);
    Button1 = buttons->Ok();
    Button2 = buttons->Cancel();

    auto* layout = new QVBoxLayout(this);
    layout->addWidget(RadioGroup1);
    layout->addWidget(buttons);
    layout->setSizeConstraint(QLayout::SetFixedSize);

    connect(Button1, &QPushButton::clicked, this, &TForm4::Button1Click);
    connect(Button2, &QPushButton::clicked, this, &QDialog::reject);
}

void TForm4::Button1Click()
{
    SwapBuffer(buffer_, static_cast<SwapUnit>(RadioGroup1->ItemIndex()));
    accept();
}

} // namespace zav
