#include "ui/shell/themed_icon.h"

#include <QDir>
#include <QFile>
#include <QImage>
#include <QPixmap>
#include <QTemporaryDir>
#include <QTest>

namespace zav {

namespace {

// A theme folder named `theme` whose only icon is a red square called `iconName`.
void WriteTheme(const QString& root, const QString& theme, const QString& iconName)
{
    QDir(root).mkpath(theme + QStringLiteral("/16x16/actions"));
    QFile index(root + QLatin1Char('/') + theme + QStringLiteral("/index.theme"));
    QVERIFY(index.open(QIODevice::WriteOnly));
    index.write("[Icon Theme]\nName=Test\nDirectories=16x16/actions\n\n"
                "[16x16/actions]\nSize=16\nType=Fixed\n");
    index.close();
    QImage red(16, 16, QImage::Format_ARGB32);
    red.fill(Qt::red);
    QVERIFY(red.save(root + QLatin1Char('/') + theme + QStringLiteral("/16x16/actions/") + iconName +
                     QStringLiteral(".png")));
}

QImage Drawn(const QIcon& icon)
{
    return icon.pixmap(QSize(16, 16)).toImage().convertToFormat(QImage::Format_ARGB32);
}

} // namespace

class ThemedIconTest : public QObject {
    Q_OBJECT

private slots:
    void init()
    {
        QVERIFY(folder_.isValid());
        WriteTheme(folder_.path(), QStringLiteral("hicolor"), QStringLiteral("media-playback-start"));
        WriteTheme(folder_.path(), QStringLiteral("desktop"), QStringLiteral("media-playback-start"));
        QIcon::setThemeSearchPaths({folder_.path()});
    }

    // A desktop theme's own drawing wins; a name it lacks falls back to the program's.
    void DesktopThemeIsAskedWhenFirstDrawn()
    {
        QIcon::setThemeName(QStringLiteral("desktop"));
        const QIcon start = ThemedIcon("media-playback-start");
        QVERIFY(!start.isNull());
        QCOMPARE(Drawn(start).pixelColor(8, 8), QColor(Qt::red));
        QCOMPARE(Drawn(ThemedIcon("edit-copy")), Drawn(OwnIcon("edit-copy.svg")));
    }

    // Without a theme of the desktop's own, only the program's drawings are used: the base
    // theme is never searched for action names.
    void BaseThemeIsNotSearched()
    {
        for (const QString& theme : {QString(), QStringLiteral("hicolor")}) {
            QIcon::setThemeName(theme);
            QCOMPARE(Drawn(ThemedIcon("media-playback-start")), Drawn(OwnIcon("media-playback-start.svg")));
        }
    }

private:
    QTemporaryDir folder_;
};

} // namespace zav

QTEST_MAIN(zav::ThemedIconTest)
#include "themed_icon_test.moc"
