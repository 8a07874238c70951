#include "shell/ui/guarded_command.h"

#include <QApplication>
#include <QMessageBox>

namespace zav {

void ShowExceptionBox(QWidget* parent, const std::exception* exception)
{
    const QString text = exception != nullptr ? QString::fromLocal8Bit(exception->what())
                                              : QStringLiteral("An unknown exception occurred.");
    QMessageBox::critical(parent, QApplication::applicationDisplayName(), text);
}

} // namespace zav
