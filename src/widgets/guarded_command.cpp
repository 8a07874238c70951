#include "widgets/guarded_command.h"

#include <QMessageBox>

#include "messages/application_title.h"
#include "widgets/latin1_text.h"

namespace zav {

void ShowExceptionBox(QWidget* parent, const std::exception* exception)
{
    const QString text = exception != nullptr ? QString::fromLocal8Bit(exception->what())
                                              : QStringLiteral("An unknown exception occurred.");
    QMessageBox::critical(parent, FromLatin1(std::string(kApplicationTitle)), text);
}

} // namespace zav
