// zavprog: the device programmer's desktop program.

#include <QProcess>

#include <cstdio>
#include <filesystem>
#include <optional>

#include "platform/settings_directory.h"
#include "ports/ports_map_link_factory.h"
#include "ports/system_port_listing.h"
#include "ui/shell/desktop_document.h"
#include "ui/shell/file_commands.h"
#include "ui/shell/prog_shell.h"
#include "ui/shell/qt_message_boxes.h"
#include "ui/shell/status_win.h"
#include "ui/shell/zav_application.h"
#include "ui/shell/zavprog_command_line.h"
#include "shell/user_manual.h"

namespace {

// Help, the version or a usage error, printed on the terminal: the exit status, or nothing
// when the program is to run.
std::optional<int> AnswerOnTerminal(const zav::ZavprogCommandLine& commandLine)
{
    using Request = zav::ZavprogCommandLine::Request;
    if (commandLine.request == Request::Run) return std::nullopt;
    const QByteArray text = commandLine.text.toLocal8Bit();
    std::fputs(text.constData(), commandLine.request == Request::Error ? stderr : stdout);
    return commandLine.request == Request::Error ? 2 : 0;
}

} // namespace

int main(int argc, char** argv)
{
    // --help and --version are answered before the application object connects to a display.
    // Qt's own options (-platform, -style ...) are only known once it has taken them out, so
    // the line is read again then and an error here is not final.
    QStringList rawArguments;
    for (int index = 0; index < argc; ++index) rawArguments << QString::fromLocal8Bit(argv[index]);
    // Without any display the window could not open anyway: the error is final then.
    const bool noDisplay =
        qEnvironmentVariableIsEmpty("DISPLAY") && qEnvironmentVariableIsEmpty("WAYLAND_DISPLAY") &&
        qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM");
    if (const zav::ZavprogCommandLine early = zav::ParseZavprogCommandLine(rawArguments);
        early.request != zav::ZavprogCommandLine::Request::Error || noDisplay) {
        if (const auto status = AnswerOnTerminal(early)) return *status;
    }
    zav::ZavApplication application(argc, argv);
    const zav::ZavprogCommandLine commandLine = zav::ParseZavprogCommandLine(QCoreApplication::arguments());
    if (const auto status = AnswerOnTerminal(commandLine)) return *status;
    zav::QtMessageBoxes boxes;
    const std::filesystem::path portsMapFile = zav::SettingsDirectory() / "ports";
    const zav::PortsMap portsMap = zav::LoadPortsMap(portsMapFile);
    zav::PortsMapLinkFactory links(portsMap, std::nullopt);
    zav::SystemPortListing ports(portsMap, std::nullopt);
    std::error_code noCurrentFolder;
    zav::TProgShell shell({
        boxes,
        links,
        [&links](const std::string& portName) { return links.Simulates(portName); },
        ports,
        zav::SettingsDirectory(),
        [] { QProcess::startDetached(QCoreApplication::applicationFilePath(), {}); },
        zav::UserManualFolders(QCoreApplication::applicationDirPath().toStdString(), ZAV_INSTALL_BINDIR,
                               ZAV_INSTALL_DOCDIR, std::filesystem::current_path(noCurrentFolder)),
        [](const std::filesystem::path& document) { return zav::OpenWithDesktopApplication(document); },
    });
    boxes.SetParent(&shell);
    QObject::connect(&shell, &zav::TProgShell::SequenceStopRequested, &shell, [&boxes] { boxes.DismissOpenBoxes(); });
    // An unreadable map keeps every port closed (the links refuse with its reason); the
    // user learns why at once rather than at the first sequence.
    zav::StatusWin& messages = shell.Status();
    if (!portsMap.FileError().empty()) messages.AddStatusMessage(portsMap.FileError(), zav::StatusKind::Error);
    for (const std::string& warning : zav::PortsMapLineWarnings(portsMap, portsMapFile))
        messages.AddStatusMessage(warning, zav::StatusKind::Warning);
    shell.LoadSettings();
    shell.show();
    // "zavprog FILE", as the desktop's Open With starts it: the file loads as the open
    // dialog's defaults would load it.
    if (!commandLine.file.isEmpty()) shell.Files().OpenFileFromDesktop(commandLine.file);
    return application.exec();
}
