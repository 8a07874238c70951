#include "ui/shell/themed_icon.h"

#include <QIconEngine>
#include <QPainter>

#include <optional>

#include "ui/shell/raster_icon.h"

// The icons live in a static library, whose resource registration the linker would drop
// unless something calls it.
static void RegisterIconResources()
{
    Q_INIT_RESOURCE(icons);
    Q_INIT_RESOURCE(raster_icons);
}

namespace zav {

namespace {

void EnsureIconResources()
{
    static const bool registered = (RegisterIconResources(), true);
    (void)registered;
}

// Only a desktop that names an icon theme of its own can have action icons: "hicolor", the
// base every theme inherits, holds application icons, and looking an action name up in it
// walks each of its folders to find nothing.
bool DesktopHasIconTheme()
{
    const QString theme = QIcon::themeName();
    return !theme.isEmpty() && theme != QStringLiteral("hicolor");
}

// Asks the desktop theme only when the icon is first drawn, so a start-up pays nothing for
// the dozens of menu and editor icons it has not shown yet.
class DeferredThemeIconEngine final : public QIconEngine {
public:
    explicit DeferredThemeIconEngine(QString name) : name_(std::move(name)) {}

    void paint(QPainter* painter, const QRect& rect, QIcon::Mode mode, QIcon::State state) override
    {
        Resolved().paint(painter, rect, Qt::AlignCenter, mode, state);
    }
    QPixmap pixmap(const QSize& size, QIcon::Mode mode, QIcon::State state) override
    {
        return Resolved().pixmap(size, mode, state);
    }
    QPixmap scaledPixmap(const QSize& size, QIcon::Mode mode, QIcon::State state, qreal scale) override
    {
        return Resolved().pixmap(size, scale, mode, state);
    }
    QSize actualSize(const QSize& size, QIcon::Mode mode, QIcon::State state) override
    {
        return Resolved().actualSize(size, mode, state);
    }
    QList<QSize> availableSizes(QIcon::Mode mode, QIcon::State state) override
    {
        return Resolved().availableSizes(mode, state);
    }
    QString iconName() override { return name_; }
    // Never null whatever the theme holds: the program's own drawing stands behind every
    // name. Qt asks this of every icon it lays out, so it must not cost a lookup.
    bool isNull() override { return false; }
    [[nodiscard]] QString key() const override { return QStringLiteral("zav-deferred-theme"); }
    [[nodiscard]] QIconEngine* clone() const override { return new DeferredThemeIconEngine(*this); }

private:
    const QIcon& Resolved()
    {
        if (!resolved_) {
            QIcon own = OwnIcon((name_ + QStringLiteral(".svg")).toLatin1().constData());
            resolved_ = DesktopHasIconTheme() ? QIcon::fromTheme(name_, own) : own;
        }
        return *resolved_;
    }

    QString name_;
    std::optional<QIcon> resolved_;
};

} // namespace

QIcon OwnIcon(const char* fileName)
{
    EnsureIconResources();
    const QString name = QString::fromLatin1(fileName);
    // The pictures drawn at build time, where there are: no SVG plugin is loaded for them.
    QIcon drawn = RasterIcon(name.endsWith(QStringLiteral(".svg")) ? name.chopped(4) : name);
    return drawn.isNull() ? QIcon(QStringLiteral(":/icons/") + name) : drawn;
}

QIcon ThemedIcon(const char* themeName)
{
    return QIcon(new DeferredThemeIconEngine(QString::fromLatin1(themeName)));
}

} // namespace zav
