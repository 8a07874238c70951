#pragma once

#include <QDialog>
#include <QDialogButtonBox>
#include <QPushButton>

#include <functional>

namespace zav {

// The dialogs' closing row: Button1 "OK" (the default, answering Enter) runs `onOk`, and
// Button2 "Cancel" rejects the dialog (as Escape does). `okText` names the first button
// where it is not OK.
class OkCancelButtons : public QDialogButtonBox {
    Q_OBJECT

public:
    OkCancelButtons(QDialog& dialog, const std::function<void()>& onOk,
                    const QString& okText = QStringLiteral("OK"));

    [[nodiscard]] QPushButton* Ok() const { return ok_; }
    [[nodiscard]] QPushButton* Cancel() const { return cancel_; }

private:
    QPushButton* ok_;
    QPushButton* cancel_;
};

} // namespace zav
