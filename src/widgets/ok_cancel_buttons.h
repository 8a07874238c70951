#pragma once

#include <QDialogButtonBox>
#include <QPushButton>

namespace zav {

// The dialogs' closing row: Button1 "OK" (the default, answering Enter) and Button2 "Cancel"
// (answering Escape through the dialog). `okText` names the first button where it is not OK.
class OkCancelButtons : public QDialogButtonBox {
    Q_OBJECT

public:
    explicit OkCancelButtons(QWidget* parent, const QString& okText = QStringLiteral("OK"));

    [[nodiscard]] QPushButton* Ok() const { return ok_; }
    [[nodiscard]] QPushButton* Cancel() const { return cancel_; }

private:
    QPushButton* ok_;
    QPushButton* cancel_;
};

} // namespace zav
