#pragma once

#include <QApplication>
#include <QString>
#include <QTimer>
#include <QWidget>

#include <functional>

namespace zav::testing {

// The control a window names `name`; a missing one ends the test at once with its name.
template <typename Widget> Widget* Child(QWidget& parent, const char* name)
{
    auto* child = parent.findChild<Widget*>(QString::fromLatin1(name));
    if (child == nullptr) qFatal("no control %s", name);
    return child;
}

// Runs `action` on the next modal dialog of type Dialog once it is up, as a user at the
// keyboard would.
template <typename Dialog> void OnNextModal(std::function<void(Dialog&)> action)
{
    auto* poll = new QTimer;
    QObject::connect(poll, &QTimer::timeout, poll, [poll, action] {
        if (auto* dialog = qobject_cast<Dialog*>(QApplication::activeModalWidget())) {
            poll->stop();
            poll->deleteLater();
            action(*dialog);
        }
    });
    poll->start(5);
}

} // namespace zav::testing
