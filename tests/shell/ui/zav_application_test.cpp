#include <QTest>

#include "shell/ui/zav_application.h"

namespace zav {

class ZavApplicationTest : public QObject {
    Q_OBJECT

private slots:
    // Qt appends a display name, once one is set, to every window caption; without one the
    // display name follows the application name and captions stay as the windows set them.
    void CaptionsGetNothingAppended()
    {
        const QString name = QCoreApplication::applicationName();
        QCoreApplication::setApplicationName(QStringLiteral("probe"));
        const QString display = QGuiApplication::applicationDisplayName();
        QCoreApplication::setApplicationName(name);
        QCOMPARE(display, QStringLiteral("probe"));
        QCOMPARE(QGuiApplication::desktopFileName(), QStringLiteral("org.zav.zavprog"));
    }
};

} // namespace zav

// The program's own application object, not the one QTEST_MAIN would make.
int main(int argc, char** argv)
{
    zav::ZavApplication application(argc, argv);
    zav::ZavApplicationTest test;
    return QTest::qExec(&test, argc, argv);
}

#include "zav_application_test.moc"
