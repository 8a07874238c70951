#include "ui/shell/zavprog_command_line.h"

#include <QCommandLineParser>
#include <QRegularExpression>

#include "ui/shell/zav_version.h"

namespace zav {

ZavprogCommandLine ParseZavprogCommandLine(const QStringList& arguments)
{
    QCommandLineParser parser;
    parser.setApplicationDescription(QStringLiteral("The device programmer's desktop program."));
    const QCommandLineOption help = parser.addHelpOption();
    const QCommandLineOption version = parser.addVersionOption();
    parser.addPositionalArgument(QStringLiteral("file"), QStringLiteral("A buffer file to load at start."),
                                 QStringLiteral("[file]"));

    ZavprogCommandLine result;
    const QString usage = QStringLiteral("Try 'zavprog --help'.\n");
    if (!parser.parse(arguments)) {
        result.request = ZavprogCommandLine::Request::Error;
        result.text = QStringLiteral("zavprog: %1\n").arg(parser.errorText()) + usage;
        return result;
    }
    if (parser.isSet(help)) {
        result.request = ZavprogCommandLine::Request::Help;
        // Qt names the program as it was started (a path, or nothing without an application
        // object); the usage line names it as a user types it.
        result.text = parser.helpText().replace(QRegularExpression(QStringLiteral("^Usage: \\S+")),
                                                QStringLiteral("Usage: zavprog"));
        return result;
    }
    if (parser.isSet(version)) {
        result.request = ZavprogCommandLine::Request::Version;
        result.text = QStringLiteral("zavprog %1\n").arg(ZavVersion());
        return result;
    }
    const QStringList files = parser.positionalArguments();
    if (files.size() > 1) {
        result.request = ZavprogCommandLine::Request::Error;
        result.text = QStringLiteral("zavprog: one file at a time, not %1\n").arg(files.size()) + usage;
        return result;
    }
    if (!files.isEmpty()) result.file = files.front();
    return result;
}

} // namespace zav
