#pragma once

#include <QAction>
#include <QString>

#include <utility>

#include "widgets/guarded_command.h"

class QWidget;

namespace zav {

// A command of the main window's menus or tool bar: found by its object name, its caption
// also its tool tip, the desktop's icon by that name (or ours), the hint shown in the hint
// bar. The window is its parent, so it stands as long as the menus and tool bar showing it.
[[nodiscard]] QAction* NewShellCommand(QWidget& window, const char* objectName, const QString& caption,
                                       const char* icon, const QString& hint);

// Runs `handler` on every trigger while `receiver` lives; an exception it throws is shown
// in the exception box over `window`, and the program goes on.
template <typename Handler>
void OnTriggered(QAction* action, QObject* receiver, QWidget& window, Handler handler)
{
    QObject::connect(action, &QAction::triggered, receiver, Guarded(&window, std::move(handler)));
}

} // namespace zav
