#include "ui/shell/shell_command.h"

#include <QWidget>

#include "ui/shell/themed_icon.h"

namespace zav {

QAction* NewShellCommand(QWidget& window, const char* objectName, const QString& caption, const char* icon,
                         const QString& hint)
{
    auto* action = new QAction(caption, &window);
    action->setObjectName(QString::fromLatin1(objectName));
    if (icon != nullptr) action->setIcon(ThemedIcon(icon));
    action->setStatusTip(hint);
    action->setToolTip(caption);
    return action;
}

} // namespace zav
