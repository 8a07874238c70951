// zavprog: the device programmer's desktop program.

#include <QProcess>

#include <filesystem>
#include <optional>

#include "link/linux/settings_directory.h"
#include "ports/ports_map_link_factory.h"
#include "ports/system_port_listing.h"
#include "shell/ui/desktop_document.h"
#include "shell/ui/prog_shell.h"
#include "shell/ui/qt_message_boxes.h"
#include "shell/ui/zav_application.h"
#include "shell/user_manual.h"

int main(int argc, char** argv)
{
    zav::ZavApplication application(argc, argv);
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
    if (!portsMap.FileError().empty()) shell.AddStatusMessage(portsMap.FileError(), zav::StatusKind::Error);
    for (const std::string& warning : zav::PortsMapLineWarnings(portsMap, portsMapFile))
        shell.AddStatusMessage(warning, zav::StatusKind::Warning);
    shell.LoadSettings();
    shell.show();
    // "zavprog FILE", as the desktop's Open With starts it: the file loads as the open
    // dialog's defaults would load it.
    const QStringList arguments = QCoreApplication::arguments();
    if (arguments.size() > 1) shell.OpenFileFromDesktop(arguments.at(1));
    return application.exec();
}
