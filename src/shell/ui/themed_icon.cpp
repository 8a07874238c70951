#include "shell/ui/themed_icon.h"

// The icons live in a static library, whose resource registration the linker would drop
// unless something calls it.
static void RegisterIconResources()
{
    Q_INIT_RESOURCE(icons);
}

namespace zav {

namespace {

void EnsureIconResources()
{
    static const bool registered = (RegisterIconResources(), true);
    (void)registered;
}

} // namespace

QIcon OwnIcon(const char* fileName)
{
    EnsureIconResources();
    return QIcon(QStringLiteral(":/icons/") + QString::fromLatin1(fileName));
}

QIcon ThemedIcon(const char* themeName)
{
    const QString name = QString::fromLatin1(themeName);
    return QIcon::fromTheme(name, OwnIcon((name + QStringLiteral(".svg")).toLatin1().constData()));
}

} // namespace zav
