#include "ui/buffer/editor_actions.h"

#include <QAction>
#include <QWidget>

namespace zav {

QAction* AddEditorAction(QWidget& window, const EditorActionText& text)
{
    auto* action = new QAction(QString::fromLatin1(text.caption), &window);
    action->setObjectName(QString::fromLatin1(text.name));
    action->setShortcuts(text.shortcuts);
    if (text.hintAsToolTip) action->setToolTip(QString::fromLatin1(text.hint));
    action->setStatusTip(QString::fromLatin1(text.hint));
    window.addAction(action);
    return action;
}

} // namespace zav
