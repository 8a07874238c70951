#include "widgets/ok_cancel_buttons.h"

namespace zav {

OkCancelButtons::OkCancelButtons(QDialog& dialog, const std::function<void()>& onOk, const QString& okText)
    : QDialogButtonBox(&dialog)
{
    ok_ = addButton(okText, QDialogButtonBox::AcceptRole);
    ok_->setObjectName(QStringLiteral("Button1"));
    ok_->setDefault(true);
    cancel_ = addButton(QStringLiteral("Cancel"), QDialogButtonBox::RejectRole);
    cancel_->setObjectName(QStringLiteral("Button2"));
    connect(ok_, &QPushButton::clicked, &dialog, onOk);
    connect(cancel_, &QPushButton::clicked, &dialog, &QDialog::reject);
}

} // namespace zav
