#include "widgets/reader_name.h"

#include <QComboBox>
#include <QLineEdit>

namespace zav {

void SetReaderName(QWidget& control, const QString& name, const QString& description)
{
    control.setAccessibleName(name);
    if (!description.isEmpty()) control.setAccessibleDescription(description);
    if (auto* box = qobject_cast<QComboBox*>(&control); box != nullptr && box->lineEdit() != nullptr) {
        box->lineEdit()->setAccessibleName(name);
        if (!description.isEmpty()) box->lineEdit()->setAccessibleDescription(description);
    }
}

QString ReaderNameOfCaption(QString caption)
{
    caption.remove(QLatin1Char('&'));
    caption = caption.trimmed();
    if (caption.endsWith(QLatin1Char(':'))) caption.chop(1);
    return caption.trimmed();
}

} // namespace zav
