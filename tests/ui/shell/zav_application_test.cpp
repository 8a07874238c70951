#include <QTest>

#include "ui/shell/zav_application.h"
#include "ui/shell/zav_version.h"
#include "ui/shell/zavprog_command_line.h"

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

    // --help and --version are answered, never taken for a file to load; a file name is.
    void CommandLineRequests_data()
    {
        using Request = ZavprogCommandLine::Request;
        QTest::addColumn<QStringList>("arguments");
        QTest::addColumn<int>("request");
        QTest::addColumn<QString>("file");
        QTest::newRow("nothing") << QStringList{} << int(Request::Run) << QString();
        QTest::newRow("a file") << QStringList{"dump.s19"} << int(Request::Run) << QStringLiteral("dump.s19");
        QTest::newRow("a file after --") << QStringList{"--", "--version"} << int(Request::Run)
                                         << QStringLiteral("--version");
        QTest::newRow("--version") << QStringList{"--version"} << int(Request::Version) << QString();
        QTest::newRow("-v") << QStringList{"-v"} << int(Request::Version) << QString();
        QTest::newRow("--help") << QStringList{"--help"} << int(Request::Help) << QString();
        QTest::newRow("-h with a file") << QStringList{"dump.s19", "-h"} << int(Request::Help) << QString();
        QTest::newRow("unknown option") << QStringList{"--bogus"} << int(Request::Error) << QString();
        QTest::newRow("two files") << QStringList{"a.bin", "b.bin"} << int(Request::Error) << QString();
    }

    void CommandLineRequests()
    {
        QFETCH(QStringList, arguments);
        QFETCH(int, request);
        QFETCH(QString, file);
        arguments.prepend(QStringLiteral("zavprog"));
        const ZavprogCommandLine parsed = ParseZavprogCommandLine(arguments);
        QCOMPARE(int(parsed.request), request);
        QCOMPARE(parsed.file, file);
        if (parsed.request == ZavprogCommandLine::Request::Run) QVERIFY(parsed.text.isEmpty());
        else QVERIFY(parsed.text.endsWith(QLatin1Char('\n')));
    }

    void VersionAndHelpTexts()
    {
        QCOMPARE(ParseZavprogCommandLine({"zavprog", "--version"}).text,
                 QStringLiteral("zavprog %1\n").arg(ZavVersion()));
        QVERIFY(!ZavVersion().isEmpty());
        const QString help = ParseZavprogCommandLine({"zavprog", "--help"}).text;
        QVERIFY2(help.contains(QStringLiteral("Usage: zavprog")), qPrintable(help));
        QVERIFY(help.contains(QStringLiteral("--version")));
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
