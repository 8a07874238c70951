#include "widgets/ok_cancel_buttons.h"

namespace zav {

OkCancelButtons::OkCancelButtons(QWidget* parent, const QString& okText) : QDialogButtonBox(parent)
{
    ok_ = addButton(okText, QDialogButtonBox::AcceptRole);
    ok_->setObjectName(QStringLiteral("Button1"));
    ok_->setDefault(true);
    cancel_ = addButton(QStringLiteral("Cancel"), QDialogButtonBox::RejectRole);
    cancel_->setObjectName(QStringLiteral("Button2"));
}

} // namespace zav
