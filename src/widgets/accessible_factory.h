#pragma once

#include <QAccessible>
#include <QLatin1String>
#include <QString>

namespace zav {

// Makes Qt build an `Interface` for every widget of exactly the class `Widget`. Called as the
// program loads (to initialise a namespace-scope constant): Qt keeps the first interface it
// made for an object, and one asked for before the factory was there would be the base
// class's. Returns true, for that constant.
template <typename Widget, typename Interface> bool InstallAccessibleFactory()
{
    QAccessible::installFactory([](const QString& className, QObject* object) -> QAccessibleInterface* {
        if (className != QLatin1String(Widget::staticMetaObject.className())) return nullptr;
        auto* widget = qobject_cast<Widget*>(object);
        return widget != nullptr ? new Interface(widget) : nullptr;
    });
    return true;
}

} // namespace zav
