// Takes the program's windows offscreen for the manual and the README:
// zav_screenshots --output FOLDER [--scale FACTOR]
// The program runs with a settings folder of its own whose ports map makes LPT1 and COM1
// the simulated board, so nothing on the build machine takes part.
#include "screenshot_session.h"
#include "window_grabber.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>

#include <cstdio>
#include <cstring>
#include <string>

#include "ui/shell/zav_application.h"

namespace {

int Fail(const char* message)
{
    std::fprintf(stderr, "zav_screenshots: %s\n", message);
    return 1;
}

} // namespace

int main(int argc, char* argv[])
{
    QString output;
    QByteArray scale = "1";
    for (int i = 1; i + 1 < argc; i += 2) {
        if (std::strcmp(argv[i], "--output") == 0)
            output = QString::fromLocal8Bit(argv[i + 1]);
        else if (std::strcmp(argv[i], "--scale") == 0)
            scale = argv[i + 1];
        else
            return Fail("usage: zav_screenshots --output FOLDER [--scale FACTOR]");
    }
    if (output.isEmpty()) return Fail("usage: zav_screenshots --output FOLDER [--scale FACTOR]");

    QTemporaryDir settings;
    if (!settings.isValid()) return Fail("cannot make a settings folder");
    QDir().mkpath(settings.filePath(QStringLiteral("zav")));
    QFile ports(settings.filePath(QStringLiteral("zav/ports")));
    if (!ports.open(QIODevice::WriteOnly) || ports.write("LPT1=simulator\nCOM1=simulator\n") < 0)
        return Fail("cannot write the ports map");
    ports.close();
    qputenv("XDG_CONFIG_HOME", settings.path().toLocal8Bit());
    // The program sequence's backups stay in the temporary folder too: it stands in for the
    // home folder (a relative one would be passed over for the user's real home), and the
    // session shows that folder as "~" in the pictures, as a user's own home reads.
    output = QDir(output).absolutePath();
    if (!QDir::setCurrent(settings.path())) return Fail("cannot work in the settings folder");
    qunsetenv("XDG_DATA_HOME");
    qunsetenv("XDG_STATE_HOME");
    qputenv("HOME", settings.path().toLocal8Bit());
    // The offscreen screen is small by default; at 200 % message boxes would wrap as on a
    // 400 x 300 screen. This one is a 1920 x 1200 desktop at any scale.
    QFile screen(settings.filePath(QStringLiteral("offscreen.json")));
    const QByteArray width = QByteArray::number(1920 * scale.toDouble());
    const QByteArray height = QByteArray::number(1200 * scale.toDouble());
    if (!screen.open(QIODevice::WriteOnly) ||
        screen.write(R"({"windowFrameMargins": false, "screens": [{"name": "Desktop", "x": 0, "y": 0, "width": )" +
                     width + R"(, "height": )" + height + R"(, "logicalDpi": 96, "dpr": 1}]})") < 0)
        return Fail("cannot write the screen's description");
    screen.close();
    qputenv("QT_QPA_PLATFORM", "offscreen:configfile=" + screen.fileName().toLocal8Bit());
    qputenv("QT_SCALE_FACTOR", scale);

    zav::ZavApplication application(argc, argv);
    if (!QDir().mkpath(output)) return Fail("cannot make the output folder");
    // Pictures of an earlier run must not stand in for a window that no longer opens.
    QDir folder(output);
    for (const QString& old : folder.entryList({QStringLiteral("*.png")}, QDir::Files)) folder.remove(old);
    WindowGrabber grabber{folder};
    ScreenshotSession session(grabber);
    session.Run();
    // A window that does not open is reported and left out; without the main window there
    // is nothing to show at all.
    for (const QString& failure : grabber.Failures())
        std::fprintf(stderr, "zav_screenshots: warning: %s\n", qPrintable(failure));
    return QFile::exists(QDir(output).filePath(QStringLiteral("main_window.png"))) ? 0 : 1;
}
