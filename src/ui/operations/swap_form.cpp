#include "ui/operations/swap_form.h"

#include "operations/swap.h"
#include "widgets/dialog_stack.h"
#include "widgets/ok_cancel_buttons.h"

namespace zav {

TForm4::TForm4(MemoryBuffer& buffer, QWidget* parent) : QDialog(parent), buffer_(buffer)
{
    setWindowTitle(QStringLiteral("Swap"));
    RadioGroup1 = new RadioGroup(
        QString(), {QStringLiteral("Byte"), QStringLiteral("Word"), QStringLiteral("Double Word")}, 1, this);
    RadioGroup1->setObjectName(QStringLiteral("RadioGroup1"));
    auto* buttons = new OkCancelButtons(*this, [this] { Button1Click(); });
    StackDialog(*this, {RadioGroup1, buttons});
}

void TForm4::Button1Click()
{
    SwapBuffer(buffer_, static_cast<SwapUnit>(RadioGroup1->ItemIndex()));
    accept();
}

} // namespace zav
